// Dialog templates in the platform's two binary layouts (DLGTEMPLATE with
// DLGITEMTEMPLATE records, and the extended DLGTEMPLATEEX form), as data:
// written by the resource compiler, read back by dialog creation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

// DS_SETFONT: the template carries its font.
constexpr DWORD kDialogStyleSetFont = 0x40;

// A menu, class or title field: nothing, an ordinal (0xFFFF form) or text.
struct NameOrOrdinal {
    enum class Kind { None, Ordinal, Text };
    Kind kind = Kind::None;
    WORD ordinal = 0;
    std::string text;

    static NameOrOrdinal FromOrdinal(WORD value) { return {Kind::Ordinal, value, {}}; }
    static NameOrOrdinal FromText(std::string value) { return {Kind::Text, 0, std::move(value)}; }
    bool operator==(const NameOrOrdinal&) const = default;
};

// The predefined control classes, stored as these atoms in templates.
enum : WORD {
    kClassAtomButton = 0x0080,
    kClassAtomEdit = 0x0081,
    kClassAtomStatic = 0x0082,
    kClassAtomListBox = 0x0083,
    kClassAtomScrollBar = 0x0084,
    kClassAtomComboBox = 0x0085,
};

// The class name of an atom ("Button"...), or null for another value.
const char* ClassNameOfAtom(WORD atom);
// The atom of a predefined class name in any letter case, or 0.
WORD AtomOfClassName(std::string_view name);

struct DialogItemTemplate {
    DWORD helpId = 0;  // extended form only
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;  // a WORD in the plain form
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    std::vector<BYTE> creationData;
    bool operator==(const DialogItemTemplate&) const = default;
};

struct DialogTemplate {
    bool extended = false;
    DWORD helpId = 0;  // extended form only
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string title;
    // Present when the style has DS_SETFONT (kDialogStyleSetFont).
    WORD pointSize = 0;
    WORD weight = 0;  // extended form only
    BYTE italic = 0;  // extended form only
    BYTE charset = 0; // extended form only
    std::string typeface;
    std::vector<DialogItemTemplate> items;
    bool operator==(const DialogTemplate&) const = default;
};

std::vector<BYTE> WriteDialogTemplate(const DialogTemplate& dialog);
// Either layout; nullopt for bytes that are cut short or malformed.
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size);

}  // namespace tw::res
