#include "platform/win32/dialog/MessageBoxDialog.h"

#include <algorithm>

#include "platform/win32/dialog/DialogFocus.h"
#include "platform/win32/dialog/DialogState.h"
#include "platform/win32/dialog/MessageBoxIcons.h"
#include "platform/win32/dialog/ModalDialog.h"
#include "platform/win32/gdi/SystemMetrics.h"
#include "platform/win32/gdi/windraw.h"
#include "platform/win32/kernel/KernelObjects.h"
#include "platform/win32/kernel/RectFunctions.h"
#include "platform/win32/kernel/Threads.h"

namespace tw::dlg {

namespace message_box_detail {

constexpr int kTextId = 0xFFFF;  // the platform's id of the box's text
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

// Measures with the box's font on a memory DC.
class MeasuringDc {
public:
    explicit MeasuringDc(HFONT font) : dc_(CreateCompatibleDC(nullptr))
    {
        if (dc_ && font)
            old_ = SelectObject(dc_, font);
    }
    ~MeasuringDc()
    {
        if (!dc_)
            return;
        if (old_)
            SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

// Disables the thread's enabled top-level windows for a task-modal box
// without an owner, and enables them again afterwards.
class ThreadWindowsDisabled {
public:
    ThreadWindowsDisabled()
    {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM list) {
                if (IsWindowEnabled(hwnd)) {
                    EnableWindow(hwnd, FALSE);
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&disabled_));
    }
    ~ThreadWindowsDisabled()
    {
        for (HWND hwnd : disabled_) {
            if (IsWindow(hwnd))
                EnableWindow(hwnd, TRUE);
        }
    }
    ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
    ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

private:
    std::vector<HWND> disabled_;
};

RECT WorkArea()
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

tw::res::DialogTemplate TemplateFor(UINT type, const char* caption)
{
    tw::res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    if (type & MB_SETFOREGROUND)
        t.style |= DS_SETFOREGROUND;
    if (type & (MB_TOPMOST | MB_SYSTEMMODAL))
        t.exStyle |= WS_EX_TOPMOST;
    t.title = caption ? caption : "Error";
    t.pointSize = 8;
    t.typeface = "MS Shell Dlg";
    return t;
}

}  // namespace message_box_detail

MessageBoxDialog::MessageBoxDialog(std::string text, UINT type)
    : text_(std::move(text)), type_(type), buttons_(MessageBoxLayout::ButtonsOf(type))
{
}

int MessageBoxDialog::Run(HWND owner, const char* caption)
{
    namespace d = message_box_detail;
    if (buttons_.empty()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (owner && !IsWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::optional<d::ThreadWindowsDisabled> taskModal;
    if (!owner && (type_ & MB_MODEMASK) == MB_TASKMODAL)
        taskModal.emplace();
    const INT_PTR result = ModalDialog::Run(nullptr, d::TemplateFor(type_, caption), owner, Proc,
                                            reinterpret_cast<LPARAM>(this));
    return result > 0 ? static_cast<int>(result) : 0;
}

INT_PTR CALLBACK MessageBoxDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* box = reinterpret_cast<MessageBoxDialog*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        if (!box->Initialize(dialog))
            EndDialog(dialog, -1);
        return FALSE;  // the default button has the focus already
    }
    auto* box = reinterpret_cast<MessageBoxDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (!box)
        return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED)
            return FALSE;
        return box->Answer(dialog, LOWORD(wParam)) ? TRUE : FALSE;
    case WM_PAINT:
        if (IsRectEmpty(&box->iconRect_))
            return FALSE;
        box->Paint(dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

bool MessageBoxDialog::Answer(HWND dialog, int id) const
{
    if (id == IDCANCEL) {
        // Esc and the close box: Cancel where there is one, OK alone,
        // nothing where a choice must be made.
        const int answer = MessageBoxLayout::EscapeAnswerOf(type_);
        if (answer)
            EndDialog(dialog, answer);
        return true;
    }
    for (const MessageBoxButton& button : buttons_) {
        if (button.id == id) {
            EndDialog(dialog, id);
            return true;
        }
    }
    return false;
}

SIZE MessageBoxDialog::MeasureText(HFONT font) const
{
    if (text_.empty())
        return SIZE{0, 0};
    message_box_detail::MeasuringDc dc(font);
    const RECT work = message_box_detail::WorkArea();
    RECT area{0, 0, MessageBoxLayout::TextWrapWidth(work.right - work.left), 0};
    DrawText(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &area,
             message_box_detail::kTextFormat | DT_CALCRECT);
    return SIZE{area.right - area.left, area.bottom - area.top};
}

int MessageBoxDialog::ButtonWidth(HFONT font) const
{
    message_box_detail::MeasuringDc dc(font);
    int widest = 0;
    for (const MessageBoxButton& button : buttons_) {
        RECT area{};
        DrawText(dc.Get(), button.text, -1, &area, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max<int>(widest, area.right - area.left);
    }
    return std::max(MessageBoxLayout::kButtonMinWidth, widest + 2 * MessageBoxLayout::kButtonPadding);
}

bool MessageBoxDialog::Initialize(HWND dialog)
{
    auto font = reinterpret_cast<HFONT>(SendMessage(dialog, WM_GETFONT, 0, 0));
    const bool hasIcon = MessageBoxIcons::IsKnown(type_);
    const MessageBoxGeometry geometry =
        MessageBoxLayout::Arrange(MeasureText(font), hasIcon, buttons_.size(), ButtonWidth(font));
    iconRect_ = geometry.icon;
    if (!CreateControls(dialog, geometry, font))
        return false;
    const size_t defaultIndex = MessageBoxLayout::DefaultIndexOf(type_, buttons_.size());
    SendMessage(dialog, DM_SETDEFID, static_cast<WPARAM>(buttons_[defaultIndex].id), 0);
    PlaceWindow(dialog, geometry.client);
    HWND defaultButton = GetDlgItem(dialog, buttons_[defaultIndex].id);
    if (auto state = DialogStates::Find(dialog))
        state->savedFocus = defaultButton;
    DialogFocus::MoveTo(dialog, defaultButton);
    return true;
}

bool MessageBoxDialog::CreateControls(HWND dialog, const MessageBoxGeometry& g, HFONT font)
{
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtr(dialog, GWLP_HINSTANCE));
    std::vector<HWND> made;
    if (!text_.empty()) {
        made.push_back(CreateWindowEx(WS_EX_NOPARENTNOTIFY, "Static", text_.c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX | TextAlignment(), g.text.left,
                                      g.text.top,
                                      g.text.right - g.text.left, g.text.bottom - g.text.top, dialog,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(message_box_detail::kTextId)),
                                      instance, nullptr));
    }
    const size_t defaultIndex = MessageBoxLayout::DefaultIndexOf(type_, buttons_.size());
    for (size_t i = 0; i < buttons_.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (i == 0)
            style |= WS_GROUP;
        const RECT& r = g.buttons[i];
        made.push_back(CreateWindowEx(WS_EX_NOPARENTNOTIFY, "Button", buttons_[i].text, style, r.left, r.top,
                                      r.right - r.left, r.bottom - r.top, dialog,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(buttons_[i].id)), instance,
                                      nullptr));
    }
    for (HWND control : made) {
        if (!control)
            return false;
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    return true;
}

// Centred over the owner when it shows, else on the work area; always whole
// on the screen.
void MessageBoxDialog::PlaceWindow(HWND dialog, SIZE client) const
{
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLong(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLong(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const RECT work = message_box_detail::WorkArea();
    RECT around = work;
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &around);
    int x = around.left + ((around.right - around.left) - width) / 2;
    int y = around.top + ((around.bottom - around.top) - height) / 2;
    x = std::max<int>(std::min<int>(x, work.right - width), work.left);
    y = std::max<int>(std::min<int>(y, work.bottom - height), work.top);
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD MessageBoxDialog::TextAlignment() const
{
    return (type_ & MB_RIGHT) ? SS_RIGHT : SS_LEFT;
}

void MessageBoxDialog::Paint(HWND dialog) const
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    if (dc)
        MessageBoxIcons::Draw(dc, iconRect_.left, iconRect_.top, type_);
    EndPaint(dialog, &ps);
}

}  // namespace tw::dlg

int MessageBoxEx(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType, WORD wLanguageId)
{
    (void)wLanguageId;  // the buttons speak one language
    tw::dlg::MessageBoxDialog box(lpText ? lpText : "", uType);
    return box.Run(hWnd, lpCaption);
}

int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    return MessageBoxEx(hWnd, lpText, lpCaption, uType, 0);
}
