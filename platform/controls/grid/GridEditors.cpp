#include "platform/controls/grid/GridEditors.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

#include "platform/comctl/commctrl.h"
#include "platform/win32/controls/stdctrl.h"

namespace tw::grid {

namespace grideditor_detail {

constexpr const char* kEditorProp = "tw.grid.editor";
constexpr int kButtonWidth = 18;
// The entry field of a drop-down combo box.
constexpr int kComboEditId = 1001;

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsInteger(std::string_view text)
{
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    return AllDigits(text);
}

bool IsDecimal(std::string_view text)
{
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        text.remove_prefix(1);
    const size_t point = text.find('.');
    if (point == std::string_view::npos)
        return AllDigits(text);
    const std::string_view whole = text.substr(0, point), fraction = text.substr(point + 1);
    return (whole.empty() || AllDigits(whole)) && AllDigits(fraction) && fraction.size() <= 4;
}

// Two to four digits between separators, within [low, high].
bool NumberIn(std::string_view text, int low, int high)
{
    if (!AllDigits(text) || text.size() > 4)
        return false;
    const int value = std::atoi(std::string(text).c_str());
    return value >= low && value <= high;
}

// "H:MM", "HH:MM:SS" and, as the server writes times, "HH:MM:SS.fff".
bool IsTime(std::string_view text)
{
    const size_t first = text.find(':');
    if (first == std::string_view::npos || !NumberIn(text.substr(0, first), 0, 23))
        return false;
    std::string_view rest = text.substr(first + 1);
    if (rest.size() < 2 || !NumberIn(rest.substr(0, 2), 0, 59))
        return false;
    rest.remove_prefix(2);
    if (rest.empty())
        return true;
    if (rest[0] != ':' || rest.size() < 3 || !NumberIn(rest.substr(1, 2), 0, 59))
        return false;
    rest.remove_prefix(3);
    if (rest.empty())
        return true;
    return rest[0] == '.' && rest.size() <= 8 && AllDigits(rest.substr(1));
}

// "YYYY-MM-DD", optionally followed by a blank and a time.
bool IsDate(std::string_view text)
{
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return false;
    const std::string_view year = text.substr(0, 4), month = text.substr(5, 2), day = text.substr(8, 2);
    if (!NumberIn(year, 1, 9999) || !NumberIn(month, 1, 12) || !NumberIn(day, 1, 31))
        return false;
    const int y = std::atoi(std::string(year).c_str()), m = std::atoi(std::string(month).c_str());
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    const int days = kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    if (std::atoi(std::string(day).c_str()) > days)
        return false;
    if (text.size() == 10)
        return true;
    return text[10] == ' ' && IsTime(text.substr(11));
}

// One mask character per character of the text; a character beyond ASCII
// (a whole UTF-8 sequence) counts as a letter.
bool FitsMask(const std::string& mask, std::string_view text)
{
    if (mask.empty())
        return true;
    size_t at = 0;
    for (char slot : mask) {
        if (at >= text.size())
            return false;
        const unsigned char c = static_cast<unsigned char>(text[at]);
        size_t length = 1;
        if (c >= 0x80)
            length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
        switch (slot) {
        case '0': if (!digit) return false; break;
        case '9': if (!digit && c != ' ') return false; break;
        case 'L': if (!letter) return false; break;
        case 'A': if (!letter && !digit) return false; break;
        default: if (char(c) != slot) return false; break;
        }
        at += length;
    }
    return at == text.size();
}

std::string WindowText(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    std::string text(size_t(length) + 1, '\0');
    GetWindowText(hwnd, text.data(), length + 1);
    text.resize(size_t(std::max(0, length)));
    return text;
}

HWND MakeChild(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent, HFONT font)
{
    HWND hwnd = CreateWindowEx(0, className, text, WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
    if (hwnd)
        SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hwnd;
}

// Routes Enter and Esc of an editor's focus window to the grid. The window
// is subclassed; the subclass is undone when the router goes while the
// window still lives.
class KeyRouter {
public:
    KeyRouter(HWND hwnd, GridEditorHost& host, bool multiline) : hwnd_(hwnd), host_(host), multiline_(multiline)
    {
        SetProp(hwnd_, kEditorProp, this);
        previous_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&KeyRouter::Proc)));
    }
    ~KeyRouter()
    {
        if (!IsWindow(hwnd_))
            return;
        SetWindowLongPtr(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemoveProp(hwnd_, kEditorProp);
    }
    KeyRouter(const KeyRouter&) = delete;
    KeyRouter& operator=(const KeyRouter&) = delete;

    // Ctrl+Enter: a line break in a memo, the button in a button editor.
    std::function<void()> onCtrlEnter;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* router = static_cast<KeyRouter*>(GetProp(hwnd, kEditorProp));
        if (!router)
            return DefWindowProc(hwnd, message, wParam, lParam);
        const WNDPROC previous = router->previous_;
        if (message == WM_GETDLGCODE)
            return CallWindowProc(previous, hwnd, message, wParam, lParam) | DLGC_WANTALLKEYS;
        if (message == WM_CHAR && (wParam == '\r' || wParam == 0x1B) && !router->multiline_)
            return 0;  // the key itself did the work
        if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE))
            return router->OnKey(UINT(wParam), lParam);
        return CallWindowProc(previous, hwnd, message, wParam, lParam);
    }

    LRESULT OnKey(UINT vk, LPARAM lParam)
    {
        const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (vk == VK_RETURN && ctrl && onCtrlEnter) {
            onCtrlEnter();
            return 0;
        }
        if (vk == VK_RETURN && ctrl && multiline_)
            return CallWindowProc(previous_, hwnd_, WM_KEYDOWN, vk, lParam);
        // Either call may destroy this router with the editor.
        if (vk == VK_RETURN)
            host_.EditorCommit();
        else
            host_.EditorCancel();
        return 0;
    }

    HWND hwnd_;
    GridEditorHost& host_;
    bool multiline_;
    WNDPROC previous_ = nullptr;
};

// Text in an edit control, for every kind typed as text; a button editor
// adds a "..." button and a spin editor an up-down beside the edit.
class EditCellEditor final : public GridEditor {
public:
    EditCellEditor(GridEditorHost& host, const GridEditorSetup& setup) : GridEditor(host, setup) {}
    ~EditCellEditor() override
    {
        // The up-down subclassed the edit after the router: the windows go
        // first, each undoing its own subclass, and the edit last, still
        // reaching its own procedure through the router.
        for (HWND hwnd : {upDown_, button_, edit_}) {
            if (hwnd)
                DestroyWindow(hwnd);
        }
        router_.reset();
    }

    bool Build(const GridEditorSetup& setup)
    {
        RECT editRect = setup.rect;
        const bool memo = Kind() == EditorKind::Memo;
        const bool hasButton = Kind() == EditorKind::Button;
        if (hasButton)
            editRect.right -= kButtonWidth;
        if (memo)
            editRect.bottom = editRect.top + 4 * (setup.rect.bottom - setup.rect.top);
        DWORD style = WS_BORDER | ES_AUTOHSCROLL;
        if (memo)
            style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
        if (Kind() == EditorKind::Currency || Kind() == EditorKind::Spin)
            style |= ES_RIGHT;
        edit_ = MakeChild("Edit", setup.text.c_str(), style, editRect, setup.parent, setup.font);
        if (!edit_)
            return false;
        router_ = std::make_unique<KeyRouter>(edit_, host_, memo);
        if (hasButton) {
            const RECT buttonRect{editRect.right, setup.rect.top, setup.rect.right, setup.rect.bottom};
            button_ = MakeChild("Button", "...", BS_PUSHBUTTON, buttonRect, setup.parent, setup.font);
            router_->onCtrlEnter = [this] { host_.EditorButton(); };
        }
        if (Kind() == EditorKind::Spin)
            AttachUpDown(setup);
        SendMessage(edit_, EM_SETSEL, 0, -1);
        SetFocus(edit_);
        return true;
    }

    std::string Text() const override { return WindowText(edit_); }
    HWND FocusWindow() const override { return edit_; }
    void OnCommand(WORD code, HWND control) override
    {
        if (control == button_ && code == BN_CLICKED)
            host_.EditorButton();
    }

private:
    void AttachUpDown(const GridEditorSetup& setup)
    {
        upDown_ = MakeChild(UPDOWN_CLASS, "", UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                            RECT{0, 0, kButtonWidth, setup.rect.bottom - setup.rect.top}, setup.parent, setup.font);
        if (!upDown_)
            return;
        SendMessage(upDown_, UDM_SETRANGE32, WPARAM(INT_MIN / 2), LPARAM(INT_MAX / 2));
        UDACCEL step{0, UINT(std::max(1, column_.spinIncrement))};
        SendMessage(upDown_, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
        SendMessage(upDown_, UDM_SETPOS32, 0, LPARAM(std::atoi(setup.text.c_str())));
        SendMessage(upDown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit_), 0);
        // Setting the position rewrote the buddy: an empty cell starts empty.
        SetWindowText(edit_, setup.text.c_str());
        SendMessage(edit_, EM_SETSEL, 0, -1);
    }

    HWND edit_ = nullptr;
    HWND button_ = nullptr;
    HWND upDown_ = nullptr;
    std::unique_ptr<KeyRouter> router_;
};

// A pick list takes typed text too; a lookup offers only its list.
class ComboCellEditor final : public GridEditor {
public:
    ComboCellEditor(GridEditorHost& host, const GridEditorSetup& setup) : GridEditor(host, setup) {}
    ~ComboCellEditor() override
    {
        if (combo_)
            DestroyWindow(combo_);
        router_.reset();
    }

    bool Build(const GridEditorSetup& setup)
    {
        const bool lookup = Kind() == EditorKind::Lookup;
        RECT rect = setup.rect;
        // The entry field and the list's rows under it.
        rect.bottom = rect.top + (std::max(1, column_.dropDownRows) + 1) * (setup.rect.bottom - setup.rect.top);
        combo_ = MakeChild("ComboBox", "", WS_VSCROLL | (lookup ? CBS_DROPDOWNLIST : CBS_DROPDOWN), rect, setup.parent,
                           setup.font);
        if (!combo_)
            return false;
        items_ = lookup && column_.pickList.empty() ? setup.lookupValues : column_.pickList;
        for (const std::string& item : items_)
            SendMessage(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        const LRESULT found = SendMessage(combo_, CB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(setup.text.c_str()));
        if (found >= 0)
            SendMessage(combo_, CB_SETCURSEL, WPARAM(found), 0);
        else if (!lookup)
            SetWindowText(combo_, setup.text.c_str());
        HWND entry = lookup ? combo_ : GetDlgItem(combo_, kComboEditId);
        focus_ = entry ? entry : combo_;
        router_ = std::make_unique<KeyRouter>(focus_, host_, false);
        SetFocus(focus_);
        if (column_.numbered.count(64))
            SendMessage(combo_, CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }

    std::string Text() const override
    {
        if (Kind() != EditorKind::Lookup)
            return WindowText(combo_);
        const LRESULT index = SendMessage(combo_, CB_GETCURSEL, 0, 0);
        return index >= 0 && size_t(index) < items_.size() ? items_[size_t(index)] : Original();
    }
    HWND FocusWindow() const override { return focus_; }
    void OnCommand(WORD code, HWND control) override
    {
        if (control == combo_ && code == CBN_DROPDOWN)
            host_.EditorButton();
    }

private:
    HWND combo_ = nullptr;
    HWND focus_ = nullptr;
    std::vector<std::string> items_;
    std::unique_ptr<KeyRouter> router_;
};

// Drawn by the grid: Space or a click ticks and clears it.
class CheckCellEditor final : public GridEditor {
public:
    CheckCellEditor(GridEditorHost& host, const GridEditorSetup& setup)
        : GridEditor(host, setup), checked_(setup.text == setup.column.checkedText)
    {
    }

    std::string Text() const override { return checked_ ? column_.checkedText : column_.uncheckedText; }
    bool OnKey(UINT vk) override
    {
        switch (vk) {
        case VK_SPACE: OnClick(); return true;
        case VK_RETURN: host_.EditorCommit(); return true;
        case VK_ESCAPE: host_.EditorCancel(); return true;
        default: return false;
        }
    }
    void OnClick() override { checked_ = !checked_; }

private:
    bool checked_;
};

}  // namespace grideditor_detail

bool GridEditor::ValueFits(const GridColumn& column, const std::string& text)
{
    using namespace grideditor_detail;
    if (text.empty())
        return true;  // clearing a cell is always allowed
    switch (column.editor) {
    case EditorKind::Mask: return FitsMask(column.mask, text);
    case EditorKind::Date: return IsDate(text);
    case EditorKind::Time: return IsTime(text);
    case EditorKind::Spin: return IsInteger(text);
    case EditorKind::Currency: return IsDecimal(text);
    case EditorKind::Check: return text == column.checkedText || text == column.uncheckedText;
    default: return true;
    }
}

std::unique_ptr<GridEditor> GridEditor::Create(GridEditorHost& host, const GridEditorSetup& setup)
{
    using namespace grideditor_detail;
    switch (setup.column.editor) {
    case EditorKind::Check:
        return std::make_unique<CheckCellEditor>(host, setup);
    case EditorKind::PickList:
    case EditorKind::Lookup: {
        auto editor = std::make_unique<ComboCellEditor>(host, setup);
        if (!editor->Build(setup))
            return nullptr;
        return editor;
    }
    default: {
        auto editor = std::make_unique<EditCellEditor>(host, setup);
        if (!editor->Build(setup))
            return nullptr;
        return editor;
    }
    }
}

}  // namespace tw::grid
