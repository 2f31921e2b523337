// Walks data/dispatch_ids.tsv: every member the program calls answers with
// its effect, and every other id answers DISP_E_MEMBERNOTFOUND.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "platform/controls/grid/GridView.h"
#include "tests/platform/ado/AdoTestSupport.h"
#include "tests/platform/controls/grid/DispatchTable.h"
#include "tests/platform/controls/grid/GridControlFixture.h"

namespace tw::grid {
namespace {

using namespace tw::grid::testing;

std::vector<std::string> Words(const std::string& text, char separator)
{
    std::vector<std::string> words;
    std::stringstream stream(text);
    for (std::string word; std::getline(stream, word, separator);)
        words.push_back(word);
    return words;
}

class DispatchTableWalk : public GridControlFixture {
protected:
    void SetUp() override
    {
        GridControlFixture::SetUp();
        Load(4);
    }

    void BindRecordset()
    {
        OpenRecordset();
        InvokeOrRaisePutRef(grid, 55, _variant_t(static_cast<IUnknown*>(recordset)));
    }

    // A table of two rows in the embedded server, opened as the edit-mode grid opens it.
    void OpenRecordset()
    {
        static int tables = 0;
        table_ = "Walk" + std::to_string(++tables);
        connection = adotest::OpenEmbedded();
        connection->Execute(("create table " + table_ + " (id int, name varchar(20))").c_str(), nullptr,
                            ADODB::adCmdText);
        connection->Execute(("insert into " + table_ + " values (1, 'one') insert into " + table_ +
                             " values (2, 'two')").c_str(),
                            nullptr, ADODB::adCmdText);
        recordset = ADODB::_RecordsetPtr("ADODB.Recordset");
        recordset->Open(("select * from " + table_ + " order by id").c_str(),
                        _variant_t(static_cast<IDispatch*>(connection)),
                        ADODB::adOpenKeyset, ADODB::adLockBatchOptimistic, ADODB::adCmdText);
    }

    static void InvokeOrRaisePutRef(IDispatch* target, DISPID id, const _variant_t& value)
    {
        tw::com::InvokeOrRaise(target, id, DISPATCH_PROPERTYPUTREF, {value});
    }

    IDispatchPtr Target(const std::string& object)
    {
        auto column = [this] { return Object(Get(columns, 0, {1})); };
        if (object == "Grid")
            return grid;
        if (object == "Dataset")
            return dataset;
        if (object == "DatasetSettings")
            return Object(Get(dataset, 1053));
        if (object == "FieldDefs")
            return Object(Get(dataset, 1060));
        if (object == "Columns")
            return columns;
        if (object == "Column")
            return column();
        if (object == "ColumnPart49")
            return Object(Get(column(), 49));
        if (object == "ColumnPart50")
            return Object(Get(column(), 50));
        if (object == "ColumnEditor")
            return Object(Get(column(), 53));
        if (object == "Strings")
            return Object(Get(Object(Get(column(), 53)), 151));
        if (object == "Node")
            return Object(Get(grid, 7, {2}));
        if (object == "Selection")
            return Object(Get(grid, 18));
        if (object == "View")
            return Object(Get(grid, 17));
        if (object == "Property2")
            return Object(Get(grid, 2));
        ADD_FAILURE() << "no object " << object;
        return nullptr;
    }

    void Prepare(const std::string& setup)
    {
        for (const std::string& step : Words(setup, ' ')) {
            if (step == "-" || step.empty())
                continue;
            pending_.push_back(step);
        }
        for (size_t i = 0; i < pending_.size(); ++i) {
            const std::string& step = pending_[i];
            const std::string argument = i + 1 < pending_.size() ? pending_[i + 1] : "";
            if (step == "closed")
                Call(dataset, 1005);
            else if (step == "optionindex")
                Put(grid, 3, {std::stoi(argument)}), ++i;
            else if (step == "optionexindex")
                Put(grid, 5, {std::stoi(argument)}), ++i;
            else if (step == "current")
                Call(dataset, 1039, {_variant_t(std::stoi(argument) + 1)}), ++i;
            else if (step == "editing")
                Call(dataset, 1029);
            else if (step == "disabled")
                Call(dataset, 1028);
            else if (step == "bound")
                BindRecordset();
            else if (step == "edited")
                Model().StoreCell(0, Model().Columns().FindByFieldThenName("name"), "edited");
            else if (step == "nocolumns")
                Call(columns, 317);
            else if (step == "picklist")
                for (const char* text : {"a", "b"})
                    Call(Target("Strings"), 10, {text});
            else if (step == "selected") {
                Model().Selection().Clear();
                for (const std::string& row : Words(argument, ','))
                    Model().Selection().Select(std::stoi(row));
                ++i;
            } else if (step == "window") {
                widthBefore_ = Model().Columns().Item(0)->width;
                ASSERT_NE(Window(), nullptr);
            } else
                ADD_FAILURE() << "unknown setup " << step;
        }
        pending_.clear();
    }

    _variant_t Argument(const std::string& type, const std::string& sample)
    {
        if (type == "I4")
            return _variant_t(long(std::stol(sample)));
        if (type == "BOOL")
            return _variant_t(sample != "0");
        if (type == "BSTR")
            return _variant_t(sample.c_str());
        if (type == "UNKNOWN") {
            OpenRecordset();
            return _variant_t(static_cast<IUnknown*>(recordset));
        }
        if (sample.rfind("record:", 0) == 0)
            return Record(Words(sample.substr(7), ';'));
        if (sample.find_first_not_of("0123456789") == std::string::npos)
            return _variant_t(long(std::stol(sample)));
        return _variant_t(sample.c_str());
    }

    WORD Flags(const std::string& kind)
    {
        if (kind == "get")
            return DISPATCH_PROPERTYGET;
        if (kind == "put")
            return DISPATCH_PROPERTYPUT;
        if (kind == "putref")
            return DISPATCH_PROPERTYPUTREF;
        return DISPATCH_METHOD;
    }

    void Check(const DispatchEntry& entry, IDispatch* target, const std::vector<_variant_t>& args,
               const _variant_t& result)
    {
        const std::vector<std::string> effect = Words(entry.effect, ' ');
        const std::string& what = effect.at(0);
        auto number = [&](size_t i) { return std::stoi(effect.at(i)); };
        if (what == "object") {
            ASSERT_EQ(result.vt, VT_DISPATCH);
            EXPECT_NE(result.pdispVal, nullptr);
        } else if (what == "option" || what == "optionex") {
            bool value = false;
            const bool set = what == "option" ? Control().Option(number(1), value) : Control().OptionEx(number(1), value);
            EXPECT_TRUE(set && value);
        } else if (what == "selects") {
            // The value put next applies to the selected number.
            const bool extended = effect.at(1) == "optionex";
            Put(grid, extended ? 6 : 4, {false});
            bool value = true;
            EXPECT_TRUE(extended ? Control().OptionEx(number(2), value) : Control().Option(number(2), value));
            EXPECT_FALSE(value);
        } else if (what == "node") {
            EXPECT_EQ(int(Get(Object(result), 17)), number(1));
        } else if (what == "result") {
            EXPECT_EQ(Text(result), entry.effect.substr(7));
        } else if (what == "readback") {
            EXPECT_EQ(Text(Get(target, entry.dispid)), Text(args.back()));
        } else if (what == "bound") {
            EXPECT_NE(Get(grid, 55).vt, VT_EMPTY);
            EXPECT_EQ(int(Get(grid, 9)), 2);
            EXPECT_EQ(Text(Get(Object(Get(grid, 7, {1})), 27, {0})), "two");  // the Name column shows the name field
        } else if (what == "state") {
            EXPECT_EQ(int(Model().State()), number(1));
        } else if (what == "rows") {
            EXPECT_EQ(int(Get(grid, 9)), number(1));
        } else if (what == "current") {
            EXPECT_EQ(CurrentRow(), number(1));
        } else if (what == "cell") {
            EXPECT_EQ(Text(Get(Object(Get(grid, 7, {number(1)})), 27, {number(2)})), effect.at(3));
        } else if (what == "disabled") {
            EXPECT_EQ(Model().ControlsDisabled(), number(1) == 1);
        } else if (what == "fields") {
            EXPECT_EQ(Model().Dataset().FieldCount(), number(1));
        } else if (what == "columns") {
            EXPECT_EQ(int(Get(columns, 1)), number(1));
        } else if (what == "column") {
            EXPECT_EQ(int(Get(Object(result), 47)), number(1));
        } else if (what == "picklist") {
            const auto& list = Model().Columns().Item(1)->pickList;
            EXPECT_EQ(list.empty() ? "-" : list.back(), effect.at(1));
        } else if (what == "width") {
            EXPECT_NE(Model().Columns().Item(0)->width, widthBefore_);
        } else if (what == "file") {
            EXPECT_GT(std::filesystem::file_size(effect.at(1)), 0u);
        } else if (what == "look") {
            EXPECT_EQ(int(Get(target, 2)), number(1));
        } else if (what == "dropdown") {
            EXPECT_EQ(Model().Columns().Item(1)->numbered[64], number(1));
        } else if (what == "saved") {
            ADODB::_ConnectionPtr reader = adotest::OpenEmbedded();
            ADODB::_RecordsetPtr seen = reader->Execute(("select name from " + table_ + " where id = 1").c_str(), nullptr,
                                                          ADODB::adCmdText);
            EXPECT_EQ(adotest::Text(seen->GetCollect(0L)), "edited");
        } else {
            ADD_FAILURE() << "unknown effect " << entry.effect;
        }
    }

    ADODB::_ConnectionPtr connection;
    ADODB::_RecordsetPtr recordset;
    std::vector<std::string> pending_;
    std::string table_;
    int widthBefore_ = 0;
};

TEST(DispatchTable, ListsTheMembersOfEveryObjectOnce)
{
    const std::vector<DispatchEntry> entries = LoadDispatchTable();
    ASSERT_FALSE(entries.empty());
    std::set<std::string> seen;
    for (const DispatchEntry& entry : entries) {
        const std::string key = entry.object + "." + std::to_string(entry.dispid) + "." + entry.kind;
        EXPECT_TRUE(seen.insert(key).second) << key;
    }
}

TEST_F(DispatchTableWalk, EveryEntrySucceedsWithItsEffect)
{
    for (const DispatchEntry& entry : LoadDispatchTable()) {
        if (entry.kind == "event")
            continue;
        SCOPED_TRACE(entry.object + " " + std::to_string(entry.dispid) + " " + entry.kind + " " + entry.name);
        TearDown();
        SetUp();
        Prepare(entry.setup);
        std::vector<_variant_t> args;
        const std::vector<std::string> types = Words(entry.arguments, '|');
        const std::vector<std::string> samples = Words(entry.sample, '|');
        for (size_t i = 0; entry.arguments != "-" && i < types.size(); ++i)
            args.push_back(Argument(types[i], samples.at(i)));
        IDispatchPtr target = Target(entry.object);
        _variant_t result;
        HRESULT hr = E_FAIL;
        switch (args.size()) {
        case 0: hr = tw::com::InvokeDispatch(target, entry.dispid, Flags(entry.kind), {}, &result); break;
        case 1: hr = tw::com::InvokeDispatch(target, entry.dispid, Flags(entry.kind), {args[0]}, &result); break;
        case 2: hr = tw::com::InvokeDispatch(target, entry.dispid, Flags(entry.kind), {args[0], args[1]}, &result); break;
        default:
            hr = tw::com::InvokeDispatch(target, entry.dispid, Flags(entry.kind), {args[0], args[1], args[2]}, &result);
        }
        ASSERT_EQ(hr, S_OK);
        const std::map<std::string, VARTYPE> resultTypes{{"I4", VT_I4}, {"BSTR", VT_BSTR}, {"DISPATCH", VT_DISPATCH}};
        if (auto type = resultTypes.find(entry.result); type != resultTypes.end()) {
            EXPECT_EQ(result.vt, type->second);
        }
        Check(entry, target, args, result);
    }
}

TEST_F(DispatchTableWalk, IdsOutsideTheTableAreNotMembers)
{
    std::map<std::string, std::set<DISPID>> listed;
    for (const DispatchEntry& entry : LoadDispatchTable()) {
        if (entry.kind != "event")
            listed[entry.object].insert(entry.dispid);
    }
    for (const auto& [object, ids] : listed) {
        SCOPED_TRACE(object);
        IDispatchPtr target = Target(object);
        for (DISPID id = -1; id <= 1300; ++id) {
            if (ids.count(id))
                continue;
            for (WORD flags : {WORD(DISPATCH_METHOD), WORD(DISPATCH_PROPERTYGET)})
                ASSERT_EQ(Failure(target, id, flags), DISP_E_MEMBERNOTFOUND) << id;
        }
    }
}

}  // namespace
}  // namespace tw::grid
