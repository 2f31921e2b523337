// The server's own errors, raised while a batch is parsed or run and turned
// into a Message for the client: SQL Server's numbers, severities and texts.
#pragma once

#include <stdexcept>
#include <string>

#include "platform/server/Message.h"

namespace tw::server {

class SqlError : public std::runtime_error {
public:
    // How far an error reaches: the statement, the batch, or the session.
    enum class Scope { Statement, Batch, Connection };

    SqlError(int number, int severity, std::string text, Scope scope = Scope::Statement, int state = 1);

    int number;
    int severity;
    int state;
    int line = 0; // 0: the line of the statement that raised it
    Scope scope;

    Message ToMessage(int statementLine, const std::string& procedure) const;

    // Incorrect syntax near 'x'. (102), or near the keyword 'x'. (156).
    static SqlError Syntax(const std::string& nearText, bool isKeyword = false);
    static SqlError SyntaxAtEnd();
    static SqlError InvalidObject(const std::string& name);  // 208
    static SqlError InvalidColumn(const std::string& name);  // 207
    static SqlError NoProcedure(const std::string& name);    // 2812
    static SqlError NotSupported(const std::string& what);   // 40000-range refusal
    static SqlError UnknownFunction(const std::string& name); // 195
    static SqlError NestedTooDeeply();                        // 191
    static SqlError CaseNestedTooDeeply();                    // 125
};

} // namespace tw::server
