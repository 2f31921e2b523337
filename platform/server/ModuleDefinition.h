// The header of a stored module's CREATE text: its kind, parameters (with
// defaults and OUTPUT), return type, trigger table and events, and where its
// body starts. Read again each time the module runs, from syscomments' text.
#pragma once

#include <string>
#include <vector>

#include "platform/server/Lexer.h"
#include "platform/server/TypeSpec.h"
#include "platform/server/Value.h"

namespace tw::server {

struct ModuleParameter {
    std::string name; // lower case, with its @
    std::string spelling;
    TypeSpec type;
    bool output = false;
    bool hasDefault = false;
    Value defaultValue;
};

struct ModuleDefinition {
    std::string kind; // PROCEDURE, FUNCTION, VIEW, TRIGGER, DEFAULT, RULE
    std::string name; // as written, possibly owner-qualified
    std::vector<ModuleParameter> parameters;
    TypeSpec returns;             // scalar functions
    bool returnsTable = false;    // inline (RETURNS TABLE) or multi-statement (RETURNS @t TABLE)
    bool multiStatementTable = false;
    std::string triggerTable;
    std::string triggerOwner; // as written before the table's name; empty when none
    std::vector<std::string> triggerEvents; // INSERT, UPDATE, DELETE
    size_t bodyStart = 0;         // first token after AS

    // Throws SqlError on a malformed header.
    static ModuleDefinition Parse(const std::vector<Token>& tokens, std::string_view text);
};

} // namespace tw::server
