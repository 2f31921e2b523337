#include "platform/comctl/LabelEditor.h"

namespace tw::comctl {

namespace detail_labeledit {
constexpr const char* kEditorProp = "tw.comctl.labeleditor";
}

using namespace detail_labeledit;

LabelEditor::~LabelEditor()
{
    if (edit_) {
        onEnd_ = nullptr;  // the owner is going: nobody to tell
        End(false);
    }
}

HWND LabelEditor::Begin(HWND owner, const RECT& rect, const std::string& text, HFONT font, EndHandler onEnd)
{
    if (edit_)
        return nullptr;
    HWND edit = CreateWindowEx(0, "Edit", text.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, nullptr,
                               nullptr);
    if (!edit)
        return nullptr;
    edit_ = edit;
    onEnd_ = std::move(onEnd);
    SetProp(edit, kEditorProp, this);
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
    SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessage(edit, EM_SETSEL, 0, -1);
    ShowWindow(edit, SW_SHOW);
    SetFocus(edit);
    return edit;
}

void LabelEditor::End(bool keep)
{
    if (!edit_ || ending_)
        return;
    ending_ = true;
    HWND edit = edit_;
    std::string text;
    const int length = GetWindowTextLength(edit);
    text.resize(size_t(length) + 1);
    GetWindowText(edit, text.data(), length + 1);
    text.resize(size_t(length));
    EndHandler onEnd = std::move(onEnd_);
    onEnd_ = nullptr;
    if (onEnd)
        onEnd(keep ? text.c_str() : nullptr);
    edit_ = nullptr;
    HWND owner = GetParent(edit);
    const bool hadFocus = GetFocus() == edit;
    DestroyWindow(edit);
    if (hadFocus && IsWindow(owner))
        SetFocus(owner);
    ending_ = false;
}

LRESULT CALLBACK LabelEditor::EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<LabelEditor*>(GetProp(hwnd, kEditorProp));
    if (!self)
        return DefWindowProc(hwnd, message, wParam, lParam);
    WNDPROC oldProc = self->oldProc_;
    switch (message) {
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | CallWindowProc(oldProc, hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            self->End(wParam == VK_RETURN);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27)
            return 0;  // already handled as keys; no beep
        break;
    case WM_KILLFOCUS: {
        const LRESULT result = CallWindowProc(oldProc, hwnd, message, wParam, lParam);
        if (self->edit_ == hwnd)
            self->End(true);
        return result;
    }
    case WM_NCDESTROY:
        RemoveProp(hwnd, kEditorProp);
        SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc));
        if (self->edit_ == hwnd)
            self->edit_ = nullptr;
        return CallWindowProc(oldProc, hwnd, message, wParam, lParam);
    default:
        break;
    }
    return CallWindowProc(oldProc, hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
