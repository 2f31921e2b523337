#include "platform/server/SqlError.h"

#include "platform/server/Server.h"

namespace tw::server {

SqlError::SqlError(int number_, int severity_, std::string text, Scope scope_, int state_)
    : std::runtime_error(std::move(text)), number(number_), severity(severity_), state(state_), scope(scope_)
{
}

Message SqlError::ToMessage(int statementLine, const std::string& procedure) const
{
    Message m;
    m.number = number;
    m.severity = severity;
    m.state = state;
    m.line = line > 0 ? line : statementLine;
    m.procedure = procedure;
    m.server = Server::kServerName;
    m.text = what();
    return m;
}

SqlError SqlError::Syntax(const std::string& nearText, bool isKeyword)
{
    if (isKeyword)
        return SqlError(156, 15, "Incorrect syntax near the keyword '" + nearText + "'.", Scope::Batch);
    return SqlError(102, 15, "Incorrect syntax near '" + nearText + "'.", Scope::Batch);
}

SqlError SqlError::SyntaxAtEnd()
{
    return SqlError(102, 15, "Incorrect syntax near the end of the batch.", Scope::Batch);
}

SqlError SqlError::InvalidObject(const std::string& name)
{
    return SqlError(208, 16, "Invalid object name '" + name + "'.", Scope::Batch);
}

SqlError SqlError::InvalidColumn(const std::string& name)
{
    return SqlError(207, 16, "Invalid column name '" + name + "'.", Scope::Batch);
}

SqlError SqlError::NoProcedure(const std::string& name)
{
    return SqlError(2812, 16, "Could not find stored procedure '" + name + "'.", Scope::Statement, 62);
}

SqlError SqlError::NotSupported(const std::string& what)
{
    return SqlError(40000, 16, what + " is not supported by the embedded server.", Scope::Statement);
}

SqlError SqlError::UnknownFunction(const std::string& name)
{
    return SqlError(195, 15, "'" + name + "' is not a recognized built-in function name.", Scope::Batch, 10);
}

SqlError SqlError::NestedTooDeeply()
{
    return SqlError(191, 15, "Some part of your SQL statement is nested too deeply. Rewrite the query or break it up "
                             "into smaller queries.", Scope::Batch);
}

SqlError SqlError::CaseNestedTooDeeply()
{
    return SqlError(125, 15, "Case expressions may only be nested to level 10.", Scope::Batch);
}

} // namespace tw::server
