// Reads a resource script and the files it includes into one token stream:
// comments and line continuations removed, #define / #undef / #if family /
// #include honoured, macros expanded. In a C header (.h) only the directives
// count, as the ids it defines are what a script wants from it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tools/rc/RcToken.h"

namespace tw::rc {

class RcPreprocessor {
public:
    explicit RcPreprocessor(std::vector<std::string> includeDirs);

    // Appends the tokens of a file; throws RcError.
    void ProcessFile(const std::string& path);
    // Tokens of text given directly (tests); name is used in messages.
    void ProcessText(const std::string& text, const std::string& name, bool headerOnly = false);

    std::vector<RcToken>& Tokens() { return m_tokens; }
    // Every file read, for the build's dependency list.
    const std::set<std::string>& FilesRead() const { return m_filesRead; }
    void NoteFileRead(const std::string& path);
    // Where a file named in a statement is looked for: beside the script
    // that names it, then in the include folders.
    std::string ResolvePath(const std::string& name, const RcLocation& from) const;
    bool IsDefined(const std::string& name) const;

private:
    struct Macro {
        std::vector<RcToken> body;
        bool functionLike = false;
        std::string unusable;  // why its body could not be read
    };
    struct Conditional {
        bool active;       // this branch is taken
        bool anyTaken;     // some branch of the group was taken
        bool parentActive;
        RcLocation where;  // of the #if, for an unclosed group
    };

    void ProcessLines(const std::vector<std::string>& lines, const std::string& file, bool headerOnly);
    void Directive(const std::string& text, const RcLocation& where, bool& skipping);
    void Include(const std::string& argument, const RcLocation& where);
    void Define(const std::string& argument, const RcLocation& where);
    bool EvaluateCondition(const std::string& text, const RcLocation& where);
    void Expand(const RcToken& token, std::vector<RcToken>& out, std::set<std::string>& active, int depth);
    bool Active() const;

    std::vector<std::string> m_includeDirs;
    std::map<std::string, Macro> m_macros;
    std::vector<Conditional> m_conditionals;
    std::vector<RcToken> m_tokens;
    std::set<std::string> m_filesRead;
    std::vector<std::string> m_includeStack;
};

// Splits one line of text into tokens (no macro expansion); throws RcError.
std::vector<RcToken> TokenizeLine(const std::string& line, const RcLocation& where);

}  // namespace tw::rc
