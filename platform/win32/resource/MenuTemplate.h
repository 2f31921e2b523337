// Menu templates in the platform's two layouts: the plain one
// (MENUITEMTEMPLATEHEADER, items with MF_POPUP and MF_END) and the extended
// one (MENUEX_TEMPLATE_HEADER, DWORD-aligned items with their own types,
// states and help ids).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

// Flag values of the plain layout.
enum : WORD {
    kMenuFlagGrayed = 0x0001,
    kMenuFlagDisabled = 0x0002,
    kMenuFlagChecked = 0x0008,
    kMenuFlagPopup = 0x0010,
    kMenuFlagMenuBarBreak = 0x0020,
    kMenuFlagMenuBreak = 0x0040,
    kMenuFlagEnd = 0x0080,
    kMenuFlagHelp = 0x4000,
};

// Resource-info bits of the extended layout.
enum : WORD {
    kMenuExPopup = 0x01,
    kMenuExEnd = 0x80,
};

struct MenuItemTemplate {
    // Plain layout: the option flags (MF_GRAYED ... MF_HELP) without
    // MF_POPUP and MF_END, which follow from the structure.
    WORD flags = 0;
    // Extended layout: MFT_ type and MFS_ state.
    DWORD type = 0;
    DWORD state = 0;
    DWORD helpId = 0;  // extended popups only
    DWORD id = 0;      // plain popups have none
    std::string text;
    bool popup = false;
    std::vector<MenuItemTemplate> children;

    // A plain separator is stored as an item with no text and command 0 (or
    // MF_SEPARATOR); an extended one by its MFT_SEPARATOR type.
    bool IsSeparator(bool extended) const
    {
        if (popup)
            return false;
        if (extended)
            return (type & 0x800) != 0;
        return (flags & 0x800) != 0 || (id == 0 && text.empty());
    }
    bool operator==(const MenuItemTemplate&) const = default;
};

struct MenuTemplate {
    bool extended = false;
    DWORD helpId = 0;  // extended form only
    std::vector<MenuItemTemplate> items;
    bool operator==(const MenuTemplate&) const = default;
};

std::vector<BYTE> WriteMenuTemplate(const MenuTemplate& menu);
// Either layout (told apart by the header's version); nullopt when malformed.
std::optional<MenuTemplate> ParseMenuTemplate(const void* data, size_t size);

}  // namespace tw::res
