// Menus for the menu tests, written as nested lists: built into HMENUs,
// registered as menu resources, and read back into the same form so that a
// test compares whole menus at once.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace menutest {

struct Item {
    UINT id = 0;                 // 0 with no text: a separator; -1 with children: a sub-menu
    std::string text;
    UINT flags = 0;              // MF_CHECKED, MF_GRAYED, MF_MENUBREAK, MF_DEFAULT (made the default item)
    std::vector<Item> children;

    bool operator==(const Item&) const = default;
};

constexpr UINT kDefault = 0x1000;  // in Item::flags: the menu's default item

Item Sep();
Item Cmd(UINT id, const std::string& text, UINT flags = 0);
Item Sub(const std::string& text, std::vector<Item> children, UINT flags = 0);

// A popup menu of the items; the caller destroys it.
HMENU Build(const std::vector<Item>& items);
// The items of a menu as Build takes them (states limited to the flags above).
std::vector<Item> Read(HMENU hMenu);
// Registers a menu resource under the id in the program's module: a menu bar
// whose one sub-menu holds the items. Later registrations of the same id are
// found after earlier ones, so each test uses ids of its own.
void RegisterMenuResource(UINT uiId, const std::vector<Item>& items);
// The same with the items as the menu bar's own items.
void RegisterMenuBarResource(UINT uiId, const std::vector<Item>& items);

std::string Describe(const std::vector<Item>& items);

}  // namespace menutest
