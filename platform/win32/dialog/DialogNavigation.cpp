#include "platform/win32/dialog/DialogNavigation.h"

#include "platform/win32/kernel/Utf8Text.h"

namespace tw::dlg {

namespace dialog_navigation_detail {

DWORD StyleOf(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
}

void Collect(HWND parent, std::vector<HWND>& out)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const DWORD exStyle = static_cast<DWORD>(GetWindowLong(child, GWL_EXSTYLE));
        const DWORD style = StyleOf(child);
        if ((exStyle & WS_EX_CONTROLPARENT) && (style & WS_VISIBLE) && !(style & WS_DISABLED)) {
            Collect(child, out);
            continue;
        }
        out.push_back(child);
    }
}

bool IsTabStop(HWND hwnd)
{
    return (StyleOf(hwnd) & WS_TABSTOP) && DialogNavigation::TakesInput(hwnd);
}

std::string WindowTextOf(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

bool HidesPrefix(HWND hwnd, UINT code)
{
    return (code & DLGC_STATIC) && (StyleOf(hwnd) & SS_NOPREFIX) && !(code & DLGC_BUTTON);
}

}  // namespace dialog_navigation_detail

std::vector<HWND> DialogNavigation::Controls(HWND dialog)
{
    std::vector<HWND> controls;
    if (IsWindow(dialog))
        dialog_navigation_detail::Collect(dialog, controls);
    return controls;
}

bool DialogNavigation::TakesInput(HWND control)
{
    const DWORD style = dialog_navigation_detail::StyleOf(control);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

UINT DialogNavigation::DlgCode(HWND control, const MSG* msg)
{
    const WPARAM key = msg ? msg->wParam : 0;
    return static_cast<UINT>(SendMessage(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg)));
}

HWND DialogNavigation::NextTabItem(HWND dialog, HWND from, bool previous)
{
    const std::vector<HWND> controls = Controls(dialog);
    const int count = static_cast<int>(controls.size());
    int at = previous ? count : -1;
    for (int i = 0; i < count; ++i) {
        if (controls[static_cast<size_t>(i)] == from)
            at = i;
    }
    const int step = previous ? -1 : 1;
    for (int n = 1; n <= count; ++n) {
        const int i = ((at + step * n) % count + count) % count;
        HWND candidate = controls[static_cast<size_t>(i)];
        if (candidate != from && dialog_navigation_detail::IsTabStop(candidate))
            return candidate;
    }
    return from;
}

HWND DialogNavigation::NextGroupItem(HWND dialog, HWND from, bool previous)
{
    const std::vector<HWND> controls = Controls(dialog);
    const int count = static_cast<int>(controls.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (controls[static_cast<size_t>(i)] == from)
            at = i;
    }
    if (at < 0)
        return count > 0 ? NextTabItem(dialog, nullptr, previous) : nullptr;
    int first = at;
    while (first > 0 && !(dialog_navigation_detail::StyleOf(controls[static_cast<size_t>(first)]) & WS_GROUP))
        --first;
    int end = at + 1;
    while (end < count && !(dialog_navigation_detail::StyleOf(controls[static_cast<size_t>(end)]) & WS_GROUP))
        ++end;
    const int size = end - first;
    const int step = previous ? -1 : 1;
    for (int n = 1; n < size; ++n) {
        const int i = first + (((at - first) + step * n) % size + size) % size;
        HWND candidate = controls[static_cast<size_t>(i)];
        if (TakesInput(candidate))
            return candidate;
    }
    return from;
}

char32_t DialogNavigation::MnemonicOf(const std::string& text)
{
    const char* end = text.data() + text.size();
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;  // "&&" is a plain ampersand
            continue;
        }
        size_t length = 0;
        return tw::utf8::ToLower(tw::utf8::Decode(text.data() + i + 1, end, length));
    }
    return 0;
}

HWND DialogNavigation::FindMnemonic(HWND dialog, HWND from, char32_t ch)
{
    namespace d = dialog_navigation_detail;
    const char32_t wanted = tw::utf8::ToLower(ch);
    if (wanted == 0)
        return nullptr;
    const std::vector<HWND> controls = Controls(dialog);
    const int count = static_cast<int>(controls.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (controls[static_cast<size_t>(i)] == from)
            at = i;
    }
    for (int n = 1; n <= count; ++n) {
        HWND candidate = controls[static_cast<size_t>((at + n) % count)];
        if (!(d::StyleOf(candidate) & WS_VISIBLE))
            continue;
        const UINT code = DlgCode(candidate);
        if (d::HidesPrefix(candidate, code))
            continue;
        if (!(code & DLGC_STATIC) && !TakesInput(candidate))
            continue;
        if (MnemonicOf(d::WindowTextOf(candidate)) == wanted)
            return candidate;
    }
    return nullptr;
}

HWND DialogNavigation::ControlAfterLabel(HWND dialog, HWND label)
{
    const std::vector<HWND> controls = Controls(dialog);
    bool after = false;
    for (HWND control : controls) {
        if (control == label) {
            after = true;
            continue;
        }
        if (!after)
            continue;
        if (TakesInput(control) && !(DlgCode(control) & DLGC_STATIC))
            return control;
    }
    return nullptr;
}

}  // namespace tw::dlg

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    return tw::dlg::DialogNavigation::NextTabItem(hDlg, hCtl, bPrevious != FALSE);
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    return tw::dlg::DialogNavigation::NextGroupItem(hDlg, hCtl, bPrevious != FALSE);
}
