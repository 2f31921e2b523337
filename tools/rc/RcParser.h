// Reads the statements of a preprocessed script and compiles each resource
// to its binary layout.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/rc/RcPreprocessor.h"
#include "tools/rc/RcResource.h"

namespace tw::rc {

struct DialogBuild;

class RcParser {
public:
    explicit RcParser(RcPreprocessor& preprocessor);

    // Throws RcError at the first statement it does not understand.
    std::vector<RcResource> Parse();

private:
    // Token access.
    const RcToken& Peek(size_t ahead = 0) const;
    const RcToken& Next();
    bool AtEnd() const;
    bool PeekKeyword(const char* word, size_t ahead = 0) const;
    bool AcceptKeyword(const char* word);
    bool AcceptPunct(const char* text);
    void ExpectPunct(const char* text, const char* context);
    void ExpectComma(const char* context);
    bool AcceptComma() { return AcceptPunct(","); }
    bool PeekBegin() const;
    bool PeekEnd() const;
    void ExpectBegin(const char* context);
    void ExpectEnd(const char* context);
    uint32_t Number(const char* what);
    int16_t Coordinate(const char* what);
    std::string String(const char* what);
    [[noreturn]] void Fail(const std::string& message) const;

    // Statements.
    void Statement();
    void SkipMemoryOptions();
    void OptionalStatements(WORD& language);
    void Add(RcResource resource);
    RcResource Begin(const RcToken& nameToken, WORD typeId, const std::string& typeName = {});

    void Dialog(RcResource base, bool extended);
    void DialogControl(DialogBuild& build);
    void Menu(RcResource base, bool extended);
    void Accelerators(RcResource base);
    void StringTable();
    void Toolbar(RcResource base);
    void Bitmap(RcResource base);
    void IconOrCursor(RcResource base, bool cursor);
    void DataResource(RcResource base);
    void DlgInit(RcResource base);
    void VersionInfo(RcResource base);

    std::vector<BYTE> RawData(bool stopAtEnd);
    std::vector<BYTE> FileBytes(const RcToken& nameToken);
    std::string ResolveFile(const RcToken& nameToken);
    void EmitStringTables();

    RcPreprocessor& m_preprocessor;
    std::vector<RcToken>& m_tokens;
    size_t m_pos = 0;
    WORD m_language = 0x0409;
    WORD m_nextIconId = 1;
    WORD m_nextCursorId = 1;
    std::vector<RcResource> m_resources;
    // language -> id -> text, with where each was defined.
    std::map<WORD, std::map<WORD, std::pair<std::string, RcLocation>>> m_strings;
};

// Compiles a script held in memory (tests) or on disk, with the include folders.
std::vector<RcResource> CompileScriptText(const std::string& text, const std::string& name,
                                          const std::vector<std::string>& includeDirs = {});
std::vector<RcResource> CompileScriptFiles(const std::vector<std::string>& paths,
                                           const std::vector<std::string>& includeDirs,
                                           std::vector<std::string>* filesRead = nullptr);

}  // namespace tw::rc
