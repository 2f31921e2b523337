#include "platform/win32/user/WindowClass.h"

#include <strings.h>

namespace tw::user {

WindowClassTable& WindowClassTable::Instance()
{
    static WindowClassTable table;
    return table;
}

ATOM WindowClassTable::Register(const WNDCLASSEX& wc)
{
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !*wc.lpszClassName || !wc.lpfnWndProc)
        return 0;
    if (wc.cbClsExtra < 0 || wc.cbWndExtra < 0)
        return 0;
    if (Find(wc.lpszClassName))
        return 0;
    auto cls = std::make_shared<WindowClass>();
    cls->atom = nextAtom_++;
    cls->name = wc.lpszClassName;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->cbClsExtra = wc.cbClsExtra;
    cls->cbWndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) {
        cls->menuNameText = wc.lpszMenuName;
        cls->menuName = cls->menuNameText.c_str();
    } else {
        cls->menuName = wc.lpszMenuName;
    }
    cls->extra.assign(static_cast<size_t>(wc.cbClsExtra), 0);
    classes_.push_back(cls);
    return cls->atom;
}

std::shared_ptr<WindowClass> WindowClassTable::Find(LPCSTR nameOrAtom) const
{
    if (!nameOrAtom)
        return nullptr;
    const bool byAtom = IS_INTRESOURCE(nameOrAtom);
    for (const auto& cls : classes_) {
        if (byAtom ? cls->atom == LOWORD(nameOrAtom) : strcasecmp(cls->name.c_str(), nameOrAtom) == 0)
            return cls;
    }
    return nullptr;
}

bool WindowClassTable::Unregister(LPCSTR nameOrAtom, DWORD* error)
{
    auto cls = Find(nameOrAtom);
    if (!cls) {
        *error = ERROR_CLASS_DOES_NOT_EXIST;
        return false;
    }
    if (cls->windowCount > 0) {
        *error = ERROR_CLASS_HAS_WINDOWS;
        return false;
    }
    std::erase(classes_, cls);
    return true;
}

}  // namespace tw::user
