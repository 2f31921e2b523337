#include "tools/rc/RcParser.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <fstream>
#include <sstream>
#include <strings.h>

#include "platform/win32/resource/AcceleratorResource.h"
#include "platform/win32/resource/DialogTemplate.h"
#include "platform/win32/resource/DlgInitResource.h"
#include "platform/win32/resource/IconGroupResource.h"
#include "platform/win32/resource/MenuTemplate.h"
#include "platform/win32/resource/ResourceBytes.h"
#include "platform/win32/resource/ToolbarResource.h"
#include "tools/rc/RcExpression.h"
#include "tools/rc/RcImage.h"
#include "tools/rc/RcVersionInfo.h"

namespace tw::rc {

namespace parser_detail {

enum : WORD {
    kTypeCursor = 1, kTypeBitmap = 2, kTypeIcon = 3, kTypeMenu = 4, kTypeDialog = 5, kTypeString = 6,
    kTypeAccelerator = 9, kTypeRcData = 10, kTypeGroupCursor = 12, kTypeGroupIcon = 14, kTypeVersion = 16,
    kTypeDlgInit = 240, kTypeToolbar = 241,
};

constexpr uint32_t kWsChild = 0x40000000;
constexpr uint32_t kWsVisible = 0x10000000;
constexpr uint32_t kWsPopup = 0x80000000;
constexpr uint32_t kWsBorder = 0x00800000;
constexpr uint32_t kWsSysMenu = 0x00080000;
constexpr uint32_t kWsCaption = 0x00C00000;
constexpr uint32_t kWsGroup = 0x00020000;
constexpr uint32_t kWsTabStop = 0x00010000;
constexpr uint32_t kDsSetFont = 0x40;
constexpr uint32_t kMftSeparator = 0x800;

// The control statements with their class and default style (WS_CHILD and
// WS_VISIBLE are added to all).
struct ControlKeyword {
    const char* keyword;
    WORD classAtom;
    uint32_t style;
    bool hasText;
};

const ControlKeyword kControlKeywords[] = {
    {"LTEXT", res::kClassAtomStatic, 0x0 | kWsGroup, true},
    {"RTEXT", res::kClassAtomStatic, 0x2 | kWsGroup, true},
    {"CTEXT", res::kClassAtomStatic, 0x1 | kWsGroup, true},
    {"PUSHBUTTON", res::kClassAtomButton, 0x0 | kWsTabStop, true},
    {"DEFPUSHBUTTON", res::kClassAtomButton, 0x1 | kWsTabStop, true},
    {"CHECKBOX", res::kClassAtomButton, 0x2 | kWsTabStop, true},
    {"AUTOCHECKBOX", res::kClassAtomButton, 0x3 | kWsTabStop, true},
    {"RADIOBUTTON", res::kClassAtomButton, 0x4 | kWsTabStop, true},
    {"STATE3", res::kClassAtomButton, 0x5 | kWsTabStop, true},
    {"AUTO3STATE", res::kClassAtomButton, 0x6 | kWsTabStop, true},
    {"GROUPBOX", res::kClassAtomButton, 0x7, true},
    {"AUTORADIOBUTTON", res::kClassAtomButton, 0x9 | kWsTabStop, true},
    {"EDITTEXT", res::kClassAtomEdit, 0x0 | kWsBorder | kWsTabStop, false},
    {"COMBOBOX", res::kClassAtomComboBox, 0x1 | kWsTabStop, false},
    {"LISTBOX", res::kClassAtomListBox, 0x1 | kWsBorder, false},
    {"SCROLLBAR", res::kClassAtomScrollBar, 0x0, false},
};

const char* const kMemoryOptions[] = {"PRELOAD", "LOADONCALL", "MOVEABLE", "FIXED", "DISCARDABLE",
                                      "PURE", "IMPURE", "SHARED", "NONSHARED"};

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool IsKeyword(const RcToken& token, const char* word)
{
    return token.kind == TokenKind::Identifier && strcasecmp(token.text.c_str(), word) == 0;
}

std::vector<BYTE> ReadWholeFile(const std::string& path, const RcLocation& where)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError(where, "cannot open '" + path + "'");
    std::stringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();
    return std::vector<BYTE>(bytes.begin(), bytes.end());
}

}  // namespace parser_detail

struct DialogBuild {
    res::DialogTemplate dialog;
};

RcParser::RcParser(RcPreprocessor& preprocessor) : m_preprocessor(preprocessor), m_tokens(preprocessor.Tokens())
{
    RcToken end;
    end.kind = TokenKind::End;
    end.text = "end of file";
    end.where = m_tokens.empty() ? RcLocation{} : m_tokens.back().where;
    m_tokens.push_back(end);
}

// --- token access ----------------------------------------------------------

const RcToken& RcParser::Peek(size_t ahead) const
{
    const size_t at = std::min(m_pos + ahead, m_tokens.size() - 1);
    return m_tokens[at];
}

const RcToken& RcParser::Next()
{
    const RcToken& token = Peek();
    if (m_pos < m_tokens.size() - 1)
        ++m_pos;
    return token;
}

bool RcParser::AtEnd() const
{
    return Peek().kind == TokenKind::End;
}

bool RcParser::PeekKeyword(const char* word, size_t ahead) const
{
    return parser_detail::IsKeyword(Peek(ahead), word);
}

bool RcParser::AcceptKeyword(const char* word)
{
    if (!PeekKeyword(word))
        return false;
    Next();
    return true;
}

bool RcParser::AcceptPunct(const char* text)
{
    if (!Peek().IsPunct(text))
        return false;
    Next();
    return true;
}

void RcParser::Fail(const std::string& message) const
{
    throw RcError(Peek().where, message);
}

void RcParser::ExpectPunct(const char* text, const char* context)
{
    if (!AcceptPunct(text))
        Fail(std::string("'") + text + "' expected " + context + ", found '" + Peek().text + "'");
}

void RcParser::ExpectComma(const char* context)
{
    ExpectPunct(",", context);
}

bool RcParser::PeekBegin() const
{
    return PeekKeyword("BEGIN") || Peek().IsPunct("{");
}

bool RcParser::PeekEnd() const
{
    return PeekKeyword("END") || Peek().IsPunct("}");
}

void RcParser::ExpectBegin(const char* context)
{
    if (!PeekBegin())
        Fail(std::string("BEGIN expected ") + context + ", found '" + Peek().text + "'");
    Next();
}

void RcParser::ExpectEnd(const char* context)
{
    if (!PeekEnd())
        Fail(std::string("END expected ") + context + ", found '" + Peek().text + "'");
    Next();
}

uint32_t RcParser::Number(const char* what)
{
    if (!RcExpression::CanStart(Peek())) {
        if (Peek().kind == TokenKind::Identifier)
            Fail(std::string(what) + " expected, found unknown symbol '" + Peek().text + "'");
        Fail(std::string(what) + " expected, found '" + Peek().text + "'");
    }
    RcExpression expression(m_tokens, m_pos);
    return expression.Parse();
}

int16_t RcParser::Coordinate(const char* what)
{
    const RcLocation where = Peek().where;
    const auto value = static_cast<int32_t>(Number(what));
    if (value < -32768 || value > 32767)
        throw RcError(where, std::string(what) + " out of range: " + std::to_string(value));
    return static_cast<int16_t>(value);
}

std::string RcParser::String(const char* what)
{
    if (Peek().kind != TokenKind::String)
        Fail(std::string(what) + " expected as a \"string\", found '" + Peek().text + "'");
    std::string text = Next().text;
    while (Peek().kind == TokenKind::String)  // adjacent literals join
        text += Next().text;
    return text;
}

// --- statements ------------------------------------------------------------

std::vector<RcResource> RcParser::Parse()
{
    while (!AtEnd())
        Statement();
    EmitStringTables();
    return std::move(m_resources);
}

void RcParser::Add(RcResource resource)
{
    for (const RcResource& existing : m_resources) {
        if (existing.SameKey(resource)) {
            const std::string name = resource.nameText.empty() ? std::to_string(resource.nameId) : resource.nameText;
            throw RcError(resource.where, "resource " + name + " of this type and language is defined twice (first at " +
                                              existing.where.file + ":" + std::to_string(existing.where.line) + ")");
        }
    }
    m_resources.push_back(std::move(resource));
}

RcResource RcParser::Begin(const RcToken& nameToken, WORD typeId, const std::string& typeName)
{
    RcResource resource;
    resource.typeId = typeId;
    resource.typeName = typeName;
    resource.language = m_language;
    resource.where = nameToken.where;
    if (nameToken.kind == TokenKind::Number) {
        if (nameToken.value > 0xFFFF)
            throw RcError(nameToken.where, "resource id " + std::to_string(nameToken.value) + " is above 65535");
        resource.nameId = static_cast<WORD>(nameToken.value);
    } else {
        resource.nameText = parser_detail::Upper(nameToken.text);
    }
    return resource;
}

void RcParser::SkipMemoryOptions()
{
    for (bool found = true; found;) {
        found = false;
        for (const char* option : parser_detail::kMemoryOptions)
            found = found || AcceptKeyword(option);
    }
}

void RcParser::OptionalStatements(WORD& language)
{
    for (;;) {
        if (AcceptKeyword("LANGUAGE")) {
            const uint32_t primary = Number("language");
            ExpectComma("after the language");
            const uint32_t sub = Number("sub-language");
            language = static_cast<WORD>((sub << 10) | primary);
        } else if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
            Number("value");
        } else {
            return;
        }
    }
}

void RcParser::Statement()
{
    if (AcceptKeyword("LANGUAGE")) {
        const uint32_t primary = Number("language");
        ExpectComma("after the language");
        const uint32_t sub = Number("sub-language");
        m_language = static_cast<WORD>((sub << 10) | primary);
        return;
    }
    if (PeekKeyword("STRINGTABLE")) {
        StringTable();
        return;
    }
    const RcToken nameToken = Next();
    if (nameToken.kind != TokenKind::Number && nameToken.kind != TokenKind::Identifier &&
        nameToken.kind != TokenKind::String)
        throw RcError(nameToken.where, "resource name expected, found '" + nameToken.text + "'");
    const RcToken typeToken = Next();
    using namespace parser_detail;
    if (IsKeyword(typeToken, "DIALOG") || IsKeyword(typeToken, "DIALOGEX"))
        return Dialog(Begin(nameToken, kTypeDialog), IsKeyword(typeToken, "DIALOGEX"));
    if (IsKeyword(typeToken, "MENU") || IsKeyword(typeToken, "MENUEX"))
        return Menu(Begin(nameToken, kTypeMenu), IsKeyword(typeToken, "MENUEX"));
    if (IsKeyword(typeToken, "ACCELERATORS"))
        return Accelerators(Begin(nameToken, kTypeAccelerator));
    if (IsKeyword(typeToken, "TOOLBAR"))
        return Toolbar(Begin(nameToken, kTypeToolbar));
    if (IsKeyword(typeToken, "BITMAP"))
        return Bitmap(Begin(nameToken, kTypeBitmap));
    if (IsKeyword(typeToken, "ICON"))
        return IconOrCursor(Begin(nameToken, kTypeGroupIcon), false);
    if (IsKeyword(typeToken, "CURSOR"))
        return IconOrCursor(Begin(nameToken, kTypeGroupCursor), true);
    if (IsKeyword(typeToken, "RCDATA"))
        return DataResource(Begin(nameToken, kTypeRcData));
    if (IsKeyword(typeToken, "DLGINIT"))
        return DlgInit(Begin(nameToken, kTypeDlgInit));
    if (IsKeyword(typeToken, "VERSIONINFO"))
        return VersionInfo(Begin(nameToken, kTypeVersion));
    if (typeToken.kind == TokenKind::Number) {
        if (typeToken.value == 0 || typeToken.value > 0xFFFF)
            throw RcError(typeToken.where, "resource type " + std::to_string(typeToken.value) + " is out of range");
        return DataResource(Begin(nameToken, static_cast<WORD>(typeToken.value)));
    }
    if (typeToken.kind == TokenKind::Identifier || typeToken.kind == TokenKind::String)
        return DataResource(Begin(nameToken, 0, Upper(typeToken.text)));
    throw RcError(typeToken.where, "resource type expected after the name, found '" + typeToken.text + "'");
}

// --- dialogs ---------------------------------------------------------------

void RcParser::Dialog(RcResource base, bool extended)
{
    using namespace parser_detail;
    SkipMemoryOptions();
    DialogBuild build;
    res::DialogTemplate& dialog = build.dialog;
    dialog.extended = extended;
    dialog.x = Coordinate("x");
    ExpectComma("after x");
    dialog.y = Coordinate("y");
    ExpectComma("after y");
    dialog.cx = Coordinate("width");
    ExpectComma("after the width");
    dialog.cy = Coordinate("height");
    if (extended && AcceptComma())
        dialog.helpId = Number("help id");

    uint32_t style = kWsPopup | kWsBorder | kWsSysMenu;
    bool hasCaption = false;
    bool hasFont = false;
    for (;;) {
        if (AcceptKeyword("STYLE")) {
            const RcExpression::Style given = RcExpression(m_tokens, m_pos).ParseStyle();
            style = given.set & ~given.clear;
        } else if (AcceptKeyword("EXSTYLE")) {
            dialog.exStyle = Number("extended style");
        } else if (AcceptKeyword("CAPTION")) {
            dialog.title = String("caption");
            hasCaption = true;
        } else if (AcceptKeyword("FONT")) {
            dialog.pointSize = static_cast<WORD>(Number("point size"));
            ExpectComma("after the point size");
            dialog.typeface = String("typeface");
            hasFont = true;
            if (AcceptComma()) {
                if (!extended)
                    Fail("FONT weight, italic and character set need DIALOGEX");
                dialog.weight = static_cast<WORD>(Number("weight"));
                if (AcceptComma())
                    dialog.italic = static_cast<BYTE>(Number("italic"));
                if (AcceptComma())
                    dialog.charset = static_cast<BYTE>(Number("character set"));
            }
        } else if (AcceptKeyword("MENU")) {
            const RcToken& menu = Next();
            if (menu.kind == TokenKind::Number)
                dialog.menu = res::NameOrOrdinal::FromOrdinal(static_cast<WORD>(menu.value));
            else if (menu.kind == TokenKind::Identifier || menu.kind == TokenKind::String)
                dialog.menu = res::NameOrOrdinal::FromText(Upper(menu.text));
            else
                throw RcError(menu.where, "menu name expected");
        } else if (AcceptKeyword("CLASS")) {
            if (Peek().kind == TokenKind::String)
                dialog.windowClass = res::NameOrOrdinal::FromText(String("class"));
            else
                dialog.windowClass = res::NameOrOrdinal::FromOrdinal(static_cast<WORD>(Number("class")));
        } else if (AcceptKeyword("LANGUAGE")) {
            const uint32_t primary = Number("language");
            ExpectComma("after the language");
            base.language = static_cast<WORD>((Number("sub-language") << 10) | primary);
        } else if (AcceptKeyword("CHARACTERISTICS") || AcceptKeyword("VERSION")) {
            Number("value");
        } else {
            break;
        }
    }
    if (hasCaption)
        style |= kWsCaption;
    if (hasFont)
        style |= kDsSetFont;
    dialog.style = style;
    ExpectBegin("before the dialog's controls");
    while (!PeekEnd()) {
        if (AtEnd())
            Fail("END of the dialog missing");
        DialogControl(build);
    }
    Next();
    base.data = res::WriteDialogTemplate(dialog);
    Add(std::move(base));
}

void RcParser::DialogControl(DialogBuild& build)
{
    using namespace parser_detail;
    const RcToken keyword = Next();
    if (keyword.kind != TokenKind::Identifier)
        throw RcError(keyword.where, "control statement expected, found '" + keyword.text + "'");
    const bool extended = build.dialog.extended;
    res::DialogItemTemplate item;
    uint32_t defaults = kWsChild | kWsVisible;

    auto readText = [&]() {
        if (Peek().kind == TokenKind::String)
            item.title = res::NameOrOrdinal::FromText(String("text"));
        else if (Peek().kind == TokenKind::Identifier)
            item.title = res::NameOrOrdinal::FromText(Upper(Next().text));
        else
            item.title = res::NameOrOrdinal::FromOrdinal(static_cast<WORD>(Number("text")));
        ExpectComma("after the control's text");
    };
    auto readId = [&]() {
        const RcLocation where = Peek().where;
        const uint32_t id = Number("control id");
        if (!extended && id > 0xFFFF && id < 0xFFFF8000u)
            throw RcError(where, "control id " + std::to_string(id) + " does not fit in a DIALOG (use DIALOGEX)");
        item.id = extended ? id : (id & 0xFFFF);
    };
    auto readRect = [&](bool sizeOptional) {
        item.x = Coordinate("x");
        ExpectComma("after x");
        item.y = Coordinate("y");
        if (sizeOptional && !AcceptComma())
            return false;
        if (!sizeOptional)
            ExpectComma("after y");
        item.cx = Coordinate("width");
        ExpectComma("after the width");
        item.cy = Coordinate("height");
        return true;
    };
    auto readTail = [&](uint32_t defaultStyle) {
        item.style = defaultStyle;
        if (AcceptComma())
            item.style = RcExpression(m_tokens, m_pos).ParseStyle().Apply(defaultStyle);
        if (AcceptComma())
            item.exStyle = Number("extended style");
        if (extended && AcceptComma())
            item.helpId = Number("help id");
    };

    if (IsKeyword(keyword, "CONTROL")) {
        readText();
        readId();
        ExpectComma("after the control id");
        if (Peek().kind == TokenKind::String) {
            const std::string className = String("class");
            const WORD atom = res::AtomOfClassName(className);
            item.windowClass = atom ? res::NameOrOrdinal::FromOrdinal(atom) : res::NameOrOrdinal::FromText(className);
        } else if (Peek().kind == TokenKind::Identifier) {
            Fail("unknown control class '" + Peek().text + "' (give the class name as a string)");
        } else {
            item.windowClass = res::NameOrOrdinal::FromOrdinal(static_cast<WORD>(Number("class")));
        }
        ExpectComma("after the class");
        item.style = RcExpression(m_tokens, m_pos).ParseStyle().Apply(defaults);
        ExpectComma("after the style");
        readRect(false);
        if (AcceptComma())
            item.exStyle = Number("extended style");
        if (extended && AcceptComma())
            item.helpId = Number("help id");
    } else if (IsKeyword(keyword, "ICON")) {
        readText();
        readId();
        ExpectComma("after the control id");
        item.windowClass = res::NameOrOrdinal::FromOrdinal(res::kClassAtomStatic);
        const uint32_t iconStyle = defaults | 0x3;  // SS_ICON
        if (readRect(true))
            readTail(iconStyle);
        else
            item.style = iconStyle;
    } else {
        const ControlKeyword* kind = nullptr;
        for (const ControlKeyword& candidate : kControlKeywords) {
            if (IsKeyword(keyword, candidate.keyword))
                kind = &candidate;
        }
        if (!kind)
            throw RcError(keyword.where, "unknown control statement '" + keyword.text + "'");
        if (kind->hasText)
            readText();
        readId();
        ExpectComma("after the control id");
        item.windowClass = res::NameOrOrdinal::FromOrdinal(kind->classAtom);
        readRect(false);
        readTail(defaults | kind->style);
    }
    if (PeekBegin()) {
        if (!extended)
            Fail("creation data needs DIALOGEX");
        Next();
        item.creationData = RawData(true);
        ExpectEnd("after the creation data");
    }
    build.dialog.items.push_back(std::move(item));
}

// --- menus -----------------------------------------------------------------

namespace parser_detail {

struct MenuOption {
    const char* keyword;
    WORD flag;
};

const MenuOption kMenuOptions[] = {
    {"CHECKED", res::kMenuFlagChecked},           {"GRAYED", res::kMenuFlagGrayed},
    {"INACTIVE", res::kMenuFlagDisabled},         {"MENUBARBREAK", res::kMenuFlagMenuBarBreak},
    {"MENUBREAK", res::kMenuFlagMenuBreak},       {"HELP", res::kMenuFlagHelp},
};

}  // namespace parser_detail

void RcParser::Menu(RcResource base, bool extended)
{
    SkipMemoryOptions();
    OptionalStatements(base.language);
    res::MenuTemplate menu;
    menu.extended = extended;

    // Reads items up to END; recursion follows the POPUP nesting.
    std::function<void(std::vector<res::MenuItemTemplate>&)> readItems;
    auto readPlainOptions = [&](res::MenuItemTemplate& item) {
        for (;;) {
            AcceptComma();
            bool found = false;
            for (const parser_detail::MenuOption& option : parser_detail::kMenuOptions) {
                if (AcceptKeyword(option.keyword)) {
                    item.flags |= option.flag;
                    found = true;
                }
            }
            if (!found)
                return;
        }
    };
    // MENUEX fields may be left out or left empty between commas.
    auto optionalField = [&](DWORD& field, const char* what) {
        if (!AcceptComma())
            return false;
        if (!Peek().IsPunct(",") && RcExpression::CanStart(Peek()))
            field = Number(what);
        return true;
    };
    readItems = [&](std::vector<res::MenuItemTemplate>& items) {
        ExpectBegin("before the menu items");
        while (!PeekEnd()) {
            if (AtEnd())
                Fail("END of the menu missing");
            res::MenuItemTemplate item;
            const RcToken keyword = Next();
            if (parser_detail::IsKeyword(keyword, "MENUITEM")) {
                if (AcceptKeyword("SEPARATOR")) {
                    if (extended)
                        item.type = parser_detail::kMftSeparator;
                    items.push_back(std::move(item));
                    continue;
                }
                item.text = String("item text");
                if (extended) {
                    if (optionalField(item.id, "command id") && optionalField(item.type, "type"))
                        optionalField(item.state, "state");
                } else {
                    ExpectComma("after the item text");
                    item.id = Number("command id") & 0xFFFF;
                    readPlainOptions(item);
                }
            } else if (parser_detail::IsKeyword(keyword, "POPUP")) {
                item.popup = true;
                item.text = String("popup text");
                if (extended) {
                    if (optionalField(item.id, "id") && optionalField(item.type, "type") &&
                        optionalField(item.state, "state"))
                        optionalField(item.helpId, "help id");
                } else {
                    readPlainOptions(item);
                }
                const RcLocation where = keyword.where;
                readItems(item.children);
                if (item.children.empty())
                    throw RcError(where, "POPUP \"" + item.text + "\" has no items");
            } else {
                throw RcError(keyword.where, "MENUITEM or POPUP expected, found '" + keyword.text + "'");
            }
            items.push_back(std::move(item));
        }
        Next();
    };
    readItems(menu.items);
    base.data = res::WriteMenuTemplate(menu);
    Add(std::move(base));
}

// --- accelerators ----------------------------------------------------------

void RcParser::Accelerators(RcResource base)
{
    SkipMemoryOptions();
    OptionalStatements(base.language);
    ExpectBegin("before the accelerators");
    std::vector<res::AcceleratorEntry> entries;
    while (!PeekEnd()) {
        if (AtEnd())
            Fail("END of the accelerators missing");
        const RcLocation where = Peek().where;
        res::AcceleratorEntry entry;
        bool controlCharacter = false;
        bool fromText = false;
        if (Peek().kind == TokenKind::String) {
            const std::string text = String("key");
            const std::u16string units = res::Utf8ToUtf16(text);
            if (units.size() == 2 && units[0] == u'^') {
                const char16_t letter = units[1];
                if (!((letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z')))
                    throw RcError(where, "\"^\" needs a letter");
                entry.key = static_cast<WORD>(std::toupper(letter) - '@');
                controlCharacter = true;
            } else if (units.size() == 1) {
                entry.key = units[0];
                fromText = true;
            } else {
                throw RcError(where, "an accelerator key is one character, \"^\" and a letter, or a key code");
            }
        } else {
            entry.key = static_cast<WORD>(Number("key"));
        }
        ExpectComma("after the key");
        entry.command = static_cast<WORD>(Number("command id"));
        bool ascii = false;
        for (;;) {
            AcceptComma();
            if (AcceptKeyword("VIRTKEY"))
                entry.flags |= res::kAccelVirtKey;
            else if (AcceptKeyword("ASCII"))
                ascii = true;
            else if (AcceptKeyword("NOINVERT"))
                entry.flags |= res::kAccelNoInvert;
            else if (AcceptKeyword("SHIFT"))
                entry.flags |= res::kAccelShift;
            else if (AcceptKeyword("CONTROL"))
                entry.flags |= res::kAccelControl;
            else if (AcceptKeyword("ALT"))
                entry.flags |= res::kAccelAlt;
            else
                break;
        }
        const bool virtKey = (entry.flags & res::kAccelVirtKey) != 0;
        if (virtKey && ascii)
            throw RcError(where, "an accelerator is either VIRTKEY or ASCII");
        if (virtKey && controlCharacter)
            throw RcError(where, "\"^\" keys are ASCII; use VIRTKEY with CONTROL instead");
        if (!virtKey && (entry.flags & (res::kAccelShift | res::kAccelControl)))
            throw RcError(where, "SHIFT and CONTROL apply to VIRTKEY accelerators only");
        // Virtual-key codes of letters are the capitals.
        if (virtKey && fromText && entry.key >= 'a' && entry.key <= 'z')
            entry.key = static_cast<WORD>(entry.key - 'a' + 'A');
        entries.push_back(entry);
    }
    Next();
    if (entries.empty())
        throw RcError(base.where, "accelerator table without entries");
    base.data = res::WriteAcceleratorTable(entries);
    Add(std::move(base));
}

// --- string tables -----------------------------------------------------------

void RcParser::StringTable()
{
    Next();
    SkipMemoryOptions();
    WORD language = m_language;
    OptionalStatements(language);
    ExpectBegin("after STRINGTABLE");
    auto& strings = m_strings[language];
    while (!PeekEnd()) {
        if (AtEnd())
            Fail("END of the string table missing");
        const RcLocation where = Peek().where;
        const uint32_t id = Number("string id");
        if (id > 0xFFFF)
            throw RcError(where, "string id " + std::to_string(id) + " is above 65535");
        AcceptComma();
        std::string text = String("string");
        if (res::Utf8ToUtf16(text).size() > 0xFFFF)
            throw RcError(where, "string too long");
        const auto existing = strings.find(static_cast<WORD>(id));
        if (existing != strings.end())
            throw RcError(where, "string " + std::to_string(id) + " is defined twice (first at " +
                                     existing->second.second.file + ":" + std::to_string(existing->second.second.line) + ")");
        strings[static_cast<WORD>(id)] = {std::move(text), where};
    }
    Next();
}

void RcParser::EmitStringTables()
{
    for (const auto& [language, strings] : m_strings) {
        std::map<WORD, std::vector<const std::pair<const WORD, std::pair<std::string, RcLocation>>*>> blocks;
        for (const auto& entry : strings)
            blocks[static_cast<WORD>((entry.first >> 4) + 1)].push_back(&entry);
        for (const auto& [block, members] : blocks) {
            RcResource resource;
            resource.typeId = parser_detail::kTypeString;
            resource.nameId = block;
            resource.language = language;
            resource.where = members.front()->second.second;
            std::u16string slots[16];
            for (const auto* member : members)
                slots[member->first & 15] = res::Utf8ToUtf16(member->second.first);
            res::ByteWriter out;
            for (const std::u16string& slot : slots) {
                out.Word(static_cast<WORD>(slot.size()));
                for (char16_t unit : slot)
                    out.Word(unit);
            }
            resource.data = out.Take();
            Add(std::move(resource));
        }
    }
}

// --- toolbars, images and data ----------------------------------------------

void RcParser::Toolbar(RcResource base)
{
    SkipMemoryOptions();
    res::ToolbarResource toolbar;
    toolbar.imageWidth = static_cast<WORD>(Number("image width"));
    ExpectComma("after the image width");
    toolbar.imageHeight = static_cast<WORD>(Number("image height"));
    OptionalStatements(base.language);
    ExpectBegin("before the toolbar's buttons");
    while (!PeekEnd()) {
        if (AtEnd())
            Fail("END of the toolbar missing");
        if (AcceptKeyword("SEPARATOR")) {
            toolbar.items.push_back(0);
        } else if (AcceptKeyword("BUTTON")) {
            const RcLocation where = Peek().where;
            const uint32_t id = Number("button id");
            if (id == 0 || id > 0xFFFF)
                throw RcError(where, "button id must be 1 to 65535 (0 stands for a separator)");
            toolbar.items.push_back(static_cast<WORD>(id));
        } else {
            Fail("BUTTON or SEPARATOR expected, found '" + Peek().text + "'");
        }
    }
    Next();
    base.data = res::WriteToolbarResource(toolbar);
    Add(std::move(base));
}

std::string RcParser::ResolveFile(const RcToken& nameToken)
{
    const std::string path = m_preprocessor.ResolvePath(nameToken.text, nameToken.where);
    if (path.empty())
        throw RcError(nameToken.where, "cannot find file '" + nameToken.text + "'");
    m_preprocessor.NoteFileRead(path);
    return path;
}

std::vector<BYTE> RcParser::FileBytes(const RcToken& nameToken)
{
    return parser_detail::ReadWholeFile(ResolveFile(nameToken), nameToken.where);
}

void RcParser::Bitmap(RcResource base)
{
    SkipMemoryOptions();
    if (Peek().kind != TokenKind::String)
        Fail("BITMAP needs a file name in quotes");
    const RcToken file = Next();
    const std::string path = ResolveFile(file);
    std::vector<BYTE> bytes = parser_detail::ReadWholeFile(path, file.where);
    // A .bmp file: the resource is the bitmap without its 14-byte file header.
    if (bytes.size() > 14 && bytes[0] == 'B' && bytes[1] == 'M') {
        bytes.erase(bytes.begin(), bytes.begin() + 14);
        base.data = std::move(bytes);
        Add(std::move(base));
        return;
    }
    const std::vector<RcImage> images = ParseImageText(std::string(bytes.begin(), bytes.end()), path);
    if (images.size() != 1)
        throw RcError(file.where, "a bitmap file holds one image");
    if (images[0].HasMask())
        throw RcError(file.where, "a bitmap has no mask: give its background a key colour instead of transparent");
    base.data = ImageToDib(images[0]);
    Add(std::move(base));
}

void RcParser::IconOrCursor(RcResource base, bool cursor)
{
    SkipMemoryOptions();
    if (Peek().kind != TokenKind::String)
        Fail(std::string(cursor ? "CURSOR" : "ICON") + " needs a file name in quotes");
    const RcToken file = Next();
    const std::vector<RcImage> images = ReadImageFile(ResolveFile(file));
    res::IconGroup group;
    group.type = cursor ? res::kGroupTypeCursor : res::kGroupTypeIcon;
    for (const RcImage& image : images) {
        RcResource single;
        single.typeId = cursor ? parser_detail::kTypeCursor : parser_detail::kTypeIcon;
        single.nameId = cursor ? m_nextCursorId++ : m_nextIconId++;
        single.language = base.language;
        single.where = base.where;
        res::ByteWriter bytes;
        if (cursor) {
            bytes.Word(static_cast<WORD>(image.hotX));
            bytes.Word(static_cast<WORD>(image.hotY));
        }
        const std::vector<BYTE> dib = ImageToIconDib(image);
        bytes.Bytes(dib.data(), dib.size());
        single.data = bytes.Take();

        res::IconGroupEntry entry;
        entry.width = static_cast<WORD>(image.width);
        entry.height = static_cast<WORD>(cursor ? image.height * 2 : image.height);
        entry.colorCount = static_cast<BYTE>(image.bits < 8 ? (1 << image.bits) : 0);
        entry.planes = 1;
        entry.bitCount = static_cast<WORD>(image.bits);
        entry.bytesInRes = static_cast<DWORD>(single.data.size());
        entry.id = single.nameId;
        group.entries.push_back(entry);
        Add(std::move(single));
    }
    base.data = res::WriteIconGroup(group);
    Add(std::move(base));
}

std::vector<BYTE> RcParser::RawData(bool stopAtEnd)
{
    res::ByteWriter out;
    while (!(stopAtEnd && PeekEnd())) {
        if (AtEnd())
            Fail("END of the data missing");
        if (Peek().kind == TokenKind::String) {
            const RcToken& token = Next();
            if (token.wide) {
                for (char16_t unit : res::Utf8ToUtf16(token.text))
                    out.Word(unit);
            } else {
                out.Bytes(token.text.data(), token.text.size());
            }
        } else {
            if (Peek().kind == TokenKind::Identifier)
                Fail("unknown symbol '" + Peek().text + "'");
            if (!RcExpression::CanStart(Peek()))
                Fail("data value expected, found '" + Peek().text + "'");
            RcExpression expression(m_tokens, m_pos);
            const uint32_t value = expression.Parse();
            if (expression.SawLong())
                out.Dword(value);
            else
                out.Word(static_cast<WORD>(value));
        }
        AcceptComma();
    }
    return out.Take();
}

void RcParser::DataResource(RcResource base)
{
    SkipMemoryOptions();
    OptionalStatements(base.language);
    if (Peek().kind == TokenKind::String) {
        base.data = FileBytes(Next());
    } else {
        ExpectBegin("or a file name for the data");
        base.data = RawData(true);
        Next();
    }
    Add(std::move(base));
}

void RcParser::DlgInit(RcResource base)
{
    SkipMemoryOptions();
    OptionalStatements(base.language);
    ExpectBegin("before the dialog-init records");
    std::vector<res::DlgInitRecord> records;
    while (!PeekEnd()) {
        if (AtEnd())
            Fail("END of the dialog-init data missing");
        const RcLocation where = Peek().where;
        res::DlgInitRecord record;
        const uint32_t control = Number("control id");
        if (control == 0 && PeekEnd())
            break;  // the terminator older scripts write; ours is added anyway
        if (control == 0 || control > 0xFFFF)
            throw RcError(where, "control id must be 1 to 65535");
        record.controlId = static_cast<WORD>(control);
        ExpectComma("after the control id");
        record.message = static_cast<WORD>(Number("message"));
        ExpectComma("after the message");
        if (Peek().kind == TokenKind::String) {
            const std::string text = String("text");
            record.data.assign(text.begin(), text.end());
            record.data.push_back(0);
        } else if (AcceptKeyword("FILE")) {
            if (Peek().kind != TokenKind::String)
                Fail("FILE needs a file name in quotes");
            record.data = FileBytes(Next());
        } else {
            // The raw form: length, 0, then words and strings up to that length.
            const uint32_t length = Number("data length");
            ExpectComma("after the data length");
            if (Number("0 (the high word of the length)") != 0)
                throw RcError(where, "data length above 65535");
            AcceptComma();
            res::ByteWriter out;
            while (out.Size() < length) {
                if (Peek().kind == TokenKind::String) {
                    const std::string& text = Next().text;
                    out.Bytes(text.data(), text.size());
                } else {
                    out.Word(static_cast<WORD>(Number("data word")));
                }
                AcceptComma();
            }
            if (out.Size() != length)
                throw RcError(where, "record data is " + std::to_string(out.Size()) + " bytes, its length says " +
                                         std::to_string(length));
            record.data = out.Take();
        }
        AcceptComma();
        records.push_back(std::move(record));
    }
    Next();
    base.data = res::WriteDlgInit(records);
    Add(std::move(base));
}

// --- version information -----------------------------------------------------

void RcParser::VersionInfo(RcResource base)
{
    FixedFileInfo fixed;
    auto readVersion = [&](DWORD& ms, DWORD& ls) {
        DWORD parts[4] = {0, 0, 0, 0};
        parts[0] = Number("version");
        for (int i = 1; i < 4 && AcceptComma(); ++i)
            parts[i] = Number("version");
        ms = (parts[0] << 16) | (parts[1] & 0xFFFF);
        ls = (parts[2] << 16) | (parts[3] & 0xFFFF);
    };
    for (;;) {
        if (AcceptKeyword("FILEVERSION"))
            readVersion(fixed.fileVersionMS, fixed.fileVersionLS);
        else if (AcceptKeyword("PRODUCTVERSION"))
            readVersion(fixed.productVersionMS, fixed.productVersionLS);
        else if (AcceptKeyword("FILEFLAGSMASK"))
            fixed.fileFlagsMask = Number("flags mask");
        else if (AcceptKeyword("FILEFLAGS"))
            fixed.fileFlags = Number("flags");
        else if (AcceptKeyword("FILEOS"))
            fixed.fileOS = Number("operating system");
        else if (AcceptKeyword("FILETYPE"))
            fixed.fileType = Number("file type");
        else if (AcceptKeyword("FILESUBTYPE"))
            fixed.fileSubtype = Number("file subtype");
        else
            break;
    }
    std::function<std::vector<VersionNode>()> readBlock = [&]() {
        std::vector<VersionNode> nodes;
        ExpectBegin("in the version information");
        while (!PeekEnd()) {
            if (AtEnd())
                Fail("END of the version information missing");
            VersionNode node;
            if (AcceptKeyword("BLOCK")) {
                node.key = String("block name");
                node.children = readBlock();
            } else if (AcceptKeyword("VALUE")) {
                node.key = String("value name");
                res::ByteWriter binary;
                while (AcceptComma()) {
                    if (Peek().kind == TokenKind::String) {
                        node.isText = true;
                        node.text += String("value");
                        continue;
                    }
                    RcExpression expression(m_tokens, m_pos);
                    const uint32_t value = expression.Parse();
                    if (expression.SawLong())
                        binary.Dword(value);
                    else
                        binary.Word(static_cast<WORD>(value));
                }
                if (node.isText && binary.Size())
                    Fail("a VALUE is either text or numbers");
                node.binary = binary.Take();
            } else {
                Fail("BLOCK or VALUE expected, found '" + Peek().text + "'");
            }
            nodes.push_back(std::move(node));
        }
        Next();
        return nodes;
    };
    const std::vector<VersionNode> blocks = readBlock();
    base.data = WriteVersionInfo(fixed, blocks);
    Add(std::move(base));
}

// --- entry points -------------------------------------------------------------

std::vector<RcResource> CompileScriptText(const std::string& text, const std::string& name,
                                          const std::vector<std::string>& includeDirs)
{
    RcPreprocessor preprocessor(includeDirs);
    preprocessor.ProcessText(text, name);
    RcParser parser(preprocessor);
    return parser.Parse();
}

std::vector<RcResource> CompileScriptFiles(const std::vector<std::string>& paths,
                                           const std::vector<std::string>& includeDirs,
                                           std::vector<std::string>* filesRead)
{
    RcPreprocessor preprocessor(includeDirs);
    for (const std::string& path : paths)
        preprocessor.ProcessFile(path);
    RcParser parser(preprocessor);
    std::vector<RcResource> resources = parser.Parse();
    if (filesRead)
        filesRead->assign(preprocessor.FilesRead().begin(), preprocessor.FilesRead().end());
    return resources;
}

}  // namespace tw::rc
