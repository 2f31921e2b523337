// The built-in catalogue of system objects: exactly its names, each with its
// group's code, entered into every editor's maps.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "sqleditor/CustomerEditCtrl.h"
#include "sqleditor/CustomerEditCtrlCatalogue.h"

namespace {

struct CatalogueGroupRow {
    const char* group;
    int code;
    int count;
};

void ExpectGroups(std::span<const tw::sqleditor::BuiltinNameGroup> groups, std::initializer_list<CatalogueGroupRow> rows)
{
    ASSERT_EQ(groups.size(), rows.size());
    size_t i = 0;
    for (const CatalogueGroupRow& row : rows) {
        EXPECT_STREQ(groups[i].group, row.group);
        EXPECT_EQ(groups[i].code, row.code) << row.group;
        EXPECT_EQ(groups[i].count, row.count) << row.group;
        ++i;
    }
}

int CatalogueCode(CCustomerEditCtrl& edit, const char* name)
{
    void* value = nullptr;
    if (!edit.m_mapObjectTypes.Lookup(name, value))
        return -1;
    return static_cast<int>(reinterpret_cast<INT_PTR>(value));
}

} // namespace

TEST(CompletionCatalogue, HoldsEachGroupWithItsCodeAndSize)
{
    ExpectGroups(tw::sqleditor::GeneralCatalogue(), {{"Table", CompletionTable, 61},
                                                     {"View", CompletionView, 26},
                                                     {"XPProcedure", CompletionXPProcedure, 174},
                                                     {"Function", CompletionFunction, 30},
                                                     {"Procedure", CompletionProcedure, 948}});
    ExpectGroups(tw::sqleditor::MsdbCatalogue(), {{"Table", CompletionTable, 36}, {"View", CompletionView, 4}});
}

TEST(CompletionCatalogue, EveryNameOccursOnceAndIsStoredAsListed)
{
    std::set<std::string> names;
    size_t total = 0;
    for (auto groups : {tw::sqleditor::GeneralCatalogue(), tw::sqleditor::MsdbCatalogue()}) {
        for (const tw::sqleditor::BuiltinNameGroup& group : groups) {
            for (int i = 0; i < group.count; ++i) {
                const std::string name = group.names[i];
                names.insert(name);
                ++total;
                // Lower case throughout, but for the one table name the server spells so.
                if (name != "MSreplication_options") {
                    for (char c : name)
                        EXPECT_FALSE(c >= 'A' && c <= 'Z') << name;
                }
            }
        }
    }
    EXPECT_EQ(total, 1279u);
    EXPECT_EQ(names.size(), total);
}

TEST(CompletionCatalogue, EntersItsNamesWithTheirCodes)
{
    CCustomerEditCtrl edit;
    edit.AddBuiltinNames();
    const std::pair<const char*, int> rows[] = {
        {"xp_cmdshell", CompletionXPProcedure}, {"sp_who", CompletionProcedure},
        {"fn_helpcollations", CompletionFunction}, {"tables", CompletionView},
        {"sysobjects", CompletionTable},          {"MSreplication_options", CompletionTable},
        {"msreplication_options", -1},            {"sysjobs", -1},
    };
    for (const auto& [name, code] : rows)
        EXPECT_EQ(CatalogueCode(edit, name), code) << name;
    EXPECT_EQ(edit.m_mapKnownNames.GetCount(), 1239);
    // The member list is left holding the last group's name.
    ASSERT_EQ(edit.m_mapMemberList.GetCount(), 1);
    EXPECT_EQ(edit.m_mapMemberList.GetKeyAt(0), "Procedure");
    EXPECT_EQ(edit.m_mapMemberList.GetValueAt(0), "3");

    edit.AddMsdbNames();
    EXPECT_EQ(CatalogueCode(edit, "sysjobs"), CompletionTable);
    EXPECT_EQ(CatalogueCode(edit, "sysjobs_view"), CompletionView);
    EXPECT_EQ(edit.m_mapKnownNames.GetCount(), 1279);
}
