#include "platform/comctl/dialogs/DialogLayout.h"

#include "platform/comctl/dialogs/commdlg.h"

namespace tw::comdlg {
namespace {
thread_local DWORD tl_commdlgLastError = 0;
}

void SetExtendedError(DWORD code)
{
    tl_commdlgLastError = code;
}

DialogLayout::DialogLayout(const std::string& title, short cx, short cy, DWORD extraStyle)
{
    template_.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | extraStyle;
    template_.cx = cx;
    template_.cy = cy;
    template_.title = title;
    template_.pointSize = 8;
    template_.typeface = "MS Shell Dlg";
}

DialogLayout& DialogLayout::Item(const std::string& className, const std::string& text, int id, DWORD style, short x,
                                 short y, short cx, short cy)
{
    tw::res::DialogItemTemplate item;
    item.style = style | WS_CHILD;
    item.x = x;
    item.y = y;
    item.cx = cx;
    item.cy = cy;
    item.id = static_cast<DWORD>(static_cast<WORD>(id));
    const WORD atom = tw::res::AtomOfClassName(className);
    item.windowClass = atom ? tw::res::NameOrOrdinal::FromOrdinal(atom) : tw::res::NameOrOrdinal::FromText(className);
    item.title = tw::res::NameOrOrdinal::FromText(text);
    template_.items.push_back(std::move(item));
    return *this;
}

LPCDLGTEMPLATE DialogLayout::Bytes()
{
    bytes_ = tw::res::WriteDialogTemplate(template_);
    return reinterpret_cast<LPCDLGTEMPLATE>(bytes_.data());
}

std::string ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    if (!item)
        return {};
    std::string text(static_cast<size_t>(GetWindowTextLength(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace tw::comdlg

DWORD CommDlgExtendedError()
{
    return tw::comdlg::tl_commdlgLastError;
}
