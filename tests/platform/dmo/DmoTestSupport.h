// What the object model's script tests share: a login to the embedded
// server, the catalogue rows of an object, and running a script batch by
// batch as a query window does.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/dmo/DmoInterfaces.h"

namespace dmotest {

using namespace SQLDMO;

inline std::string Text(const _bstr_t& text) { return static_cast<const char*>(text); }

class ScriptFixture : public ::testing::Test {
protected:
    void Login()
    {
        tw::dmo::RegisterClasses();
        server.CreateInstance(CLSID_SQLServer);
        server->Connect("(embedded)", "sa", "");
    }

    void OpenDatabase(const char* name)
    {
        // Queried by hand: assigning across interfaces goes through the smart
        // pointer's move assignment, which does not compile yet.
        const _DatabasePtr item = server->GetDatabases()->Item(name);
        item->QueryInterface(IID__Database2, reinterpret_cast<void**>(&database));
    }

    // The catalogue rows of one object, free of ids and dates that a
    // re-creation changes.
    std::string CatalogueRows(const std::string& name)
    {
        const std::string literal = "N'" + Doubled(name) + "'";
        std::string rows;
        const char* queries[] = {
            "select o.name, o.xtype, isnull(object_name(o.parent_obj), '') from sysobjects o "
            "where o.name = %s or o.parent_obj = object_id(%s) order by o.name",
            "select c.name, c.xtype, c.length, c.prec, c.scale, c.isnullable, c.colid, c.colstat, "
            "isnull(object_name(c.cdefault), '') from syscolumns c where c.id = object_id(%s) order by c.colid",
            "select i.name, i.indid, i.keycnt from sysindexes i where i.id = object_id(%s) order by i.indid",
            "select c.text from syscomments c join sysobjects o on o.id = c.id "
            "where o.name = %s or o.parent_obj = object_id(%s) order by o.name, c.colid",
        };
        for (const char* pattern : queries) {
            std::string query = pattern;
            for (size_t at = query.find("%s"); at != std::string::npos; at = query.find("%s"))
                query.replace(at, 2, literal);
            _QueryResultsPtr results = database->ExecuteWithResults(query.c_str());
            for (long r = 1; r <= results->GetRows(); ++r) {
                for (long c = 1; c <= results->GetColumns(); ++c)
                    rows += Text(results->GetColumnString(r, c)) + "|";
                rows += "\n";
            }
            rows += "--\n";
        }
        return rows;
    }

    static std::string Doubled(const std::string& text)
    {
        std::string out;
        for (char c : text)
            out += c == '\'' ? std::string("''") : std::string(1, c);
        return out;
    }

    // Runs a script the way a query window does: batch by batch at "GO".
    void RunScript(const std::string& script)
    {
        std::string batch;
        size_t start = 0;
        while (start < script.size()) {
            size_t end = script.find('\n', start);
            if (end == std::string::npos)
                end = script.size();
            std::string line = script.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line == "GO") {
                database->ExecuteImmediate(batch.c_str());
                batch.clear();
            } else {
                batch += (batch.empty() ? "" : "\n") + line;
            }
            start = end + 1;
        }
        if (batch.find_first_not_of(" \r\n\t") != std::string::npos)
            database->ExecuteImmediate(batch.c_str());
    }

    template <class Ptr>
    void ExpectScriptRecreates(Ptr object, const std::string& name, long scriptType = SQLDMOScript_Default)
    {
        const std::string before = CatalogueRows(name);
        const std::string script = Text(object->Script(scriptType, vtMissing, 4));
        ASSERT_FALSE(script.empty());
        object->Remove();
        EXPECT_EQ(CatalogueRows(name).find(name + "|"), std::string::npos) << "not removed: " << name;
        RunScript(script);
        EXPECT_EQ(CatalogueRows(name), before) << script;
    }

    _SQLServerPtr server;
    _Database2Ptr database;
};

} // namespace dmotest
