#include "platform/win32/controls/EditControl.h"

#include <cmath>
#include <cstring>
#include <functional>

#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/controls/EditBuffer.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::controls {

namespace edit_detail {

constexpr size_t kDefaultLimit = 30000;
constexpr size_t kUnlimited = 0x7FFFFFFE;
constexpr int kWheelLines = 3;
// While a drag holds the mouse outside the text, the view follows on this timer.
constexpr UINT_PTR kDragScrollTimer = 1;
constexpr UINT kDragScrollMs = 100;

struct EditState {
    HWND hwnd = nullptr;
    EditBuffer buffer;
    std::vector<EditLine> lines{EditLine{}};
    HFONT font = nullptr;
    int lineHeight = 16;
    int leftMargin = 0;
    int rightMargin = 0;
    size_t limit = kDefaultLimit;
    char passwordChar = 0;
    bool modified = false;
    bool focused = false;
    bool mouseSelecting = false;
    size_t firstLine = 0;
    int xOffset = 0;
    int desiredX = -1;  // where Up and Down aim, kept across short lines
    std::string pendingUtf8;
    std::vector<int> tabStops;  // pixels
    bool hasFormatRect = false;
    RECT formatRect{};

    DWORD Style() const { return StyleOf(hwnd); }
    bool MultiLine() const { return (Style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
    bool Wraps() const { return MultiLine() && !(Style() & (ES_AUTOHSCROLL | WS_HSCROLL)); }
};

// --- measuring ----------------------------------------------------------------------

class MeasureDc {
public:
    explicit MeasureDc(const EditState& s) : hwnd_(s.hwnd), hdc_(GetDC(s.hwnd)), font_(hdc_, s.font) {}
    ~MeasureDc() { ReleaseDC(hwnd_, hdc_); }
    MeasureDc(const MeasureDc&) = delete;
    MeasureDc& operator=(const MeasureDc&) = delete;
    HDC Dc() const { return hdc_; }

private:
    HWND hwnd_;
    HDC hdc_;
    FontScope font_;
};

// What the screen shows for a piece of text: password characters stand for whole characters.
std::string ShownOf(const EditState& s, const std::string& text, size_t start, size_t end)
{
    if (!(s.Style() & ES_PASSWORD) || !s.passwordChar)
        return text.substr(start, end - start);
    std::string shown;
    for (size_t i = start; i < end; i = NextCharOffset(text, i))
        shown += s.passwordChar;
    return shown;
}

std::string Shown(const EditState& s, size_t start, size_t end)
{
    return ShownOf(s, s.buffer.Text(), start, end);
}

int TextWidth(const EditState& s, HDC hdc, const std::string& shown)
{
    if (shown.empty())
        return 0;
    const DWORD extent = GetTabbedTextExtent(hdc, shown.c_str(), static_cast<int>(shown.size()),
                                             static_cast<int>(s.tabStops.size()),
                                             s.tabStops.empty() ? nullptr : s.tabStops.data());
    return LOWORD(extent);
}

RECT FormatRect(const EditState& s)
{
    if (s.hasFormatRect)
        return s.formatRect;
    RECT rect{};
    GetClientRect(s.hwnd, &rect);
    rect.left += s.leftMargin;
    rect.right -= s.rightMargin;
    if (s.MultiLine())
        rect.top += 0;
    if (rect.right < rect.left)
        rect.right = rect.left;
    return rect;
}

int VisibleLines(const EditState& s)
{
    const RECT rect = FormatRect(s);
    return std::max(1, static_cast<int>(rect.bottom - rect.top) / std::max(1, s.lineHeight));
}

std::vector<EditLine> LinesOf(const EditState& s, const EditBuffer& buffer)
{
    MeasureDc dc(s);
    const RECT rect = FormatRect(s);
    const int wrapWidth = s.Wraps() ? std::max(1, static_cast<int>(rect.right - rect.left)) : 0;
    return buffer.BreakLines(s.MultiLine(), wrapWidth, [&](size_t start, size_t end) {
        return TextWidth(s, dc.Dc(), ShownOf(s, buffer.Text(), start, end));
    });
}

void Relayout(EditState& s)
{
    s.lines = LinesOf(s, s.buffer);
    if (s.firstLine >= s.lines.size())
        s.firstLine = s.lines.size() - 1;
}

size_t LineOf(const EditState& s, size_t offset)
{
    for (size_t i = 0; i + 1 < s.lines.size(); ++i) {
        if (offset < s.lines[i + 1].start)
            return i;
    }
    return s.lines.size() - 1;
}

int LineWidth(const EditState& s, HDC hdc, size_t line)
{
    return TextWidth(s, hdc, Shown(s, s.lines[line].start, s.lines[line].end));
}

// Where a line's text starts, for centred and right-aligned lines.
int AlignShift(const EditState& s, HDC hdc, size_t line)
{
    const DWORD align = s.Style() & (ES_CENTER | ES_RIGHT);
    if (align == ES_LEFT || (!s.MultiLine() && (s.Style() & ES_AUTOHSCROLL)))
        return 0;
    const RECT rect = FormatRect(s);
    const int free = std::max(0, static_cast<int>(rect.right - rect.left) - LineWidth(s, hdc, line));
    return align == ES_CENTER ? free / 2 : free;
}

// The client position of an offset's left edge.
POINT PositionOf(const EditState& s, HDC hdc, size_t offset)
{
    const RECT rect = FormatRect(s);
    const size_t line = LineOf(s, offset);
    const size_t start = s.lines[line].start;
    const size_t clipped = std::min(offset, s.lines[line].end);
    const int x = rect.left - s.xOffset + AlignShift(s, hdc, line) + TextWidth(s, hdc, Shown(s, start, clipped));
    const int y = rect.top + (static_cast<int>(line) - static_cast<int>(s.firstLine)) * s.lineHeight;
    return POINT{x, y};
}

// The extents of a line after each of its characters, from one measurement;
// empty when tabs or a disagreement about characters rule that out.
std::vector<int> CharacterExtents(HDC hdc, const std::string& shown)
{
    if (shown.empty() || shown.find('\t') != std::string::npos)
        return {};
    size_t characters = 0;
    for (size_t i = 0; i < shown.size(); i = NextCharOffset(shown, i))
        ++characters;
    std::vector<int> extents(shown.size(), -1);
    SIZE size{};
    if (!GetTextExtentExPoint(hdc, shown.c_str(), static_cast<int>(shown.size()), 0, nullptr, extents.data(), &size))
        return {};
    if (extents[characters - 1] != size.cx || (characters < extents.size() && extents[characters] != -1))
        return {};
    extents.resize(characters);
    return extents;
}

// The offset nearest a client x on a line.
size_t OffsetInLine(const EditState& s, HDC hdc, size_t line, int x)
{
    const RECT rect = FormatRect(s);
    const EditLine& l = s.lines[line];
    const int target = x - (rect.left - s.xOffset + AlignShift(s, hdc, line));
    const std::string& text = s.buffer.Text();
    const std::vector<int> extents = CharacterExtents(hdc, Shown(s, l.start, l.end));
    int previousWidth = 0;
    size_t index = 0;
    for (size_t at = l.start; at < l.end; ++index) {
        const size_t next = NextCharOffset(text, at);
        const int width = index < extents.size() ? extents[index] : TextWidth(s, hdc, Shown(s, l.start, next));
        if (target < (previousWidth + width + 1) / 2)
            return at;
        previousWidth = width;
        at = next;
    }
    return l.end;
}

size_t OffsetFromPoint(const EditState& s, POINT pt)
{
    MeasureDc dc(s);
    const RECT rect = FormatRect(s);
    int line = static_cast<int>(s.firstLine);
    if (s.MultiLine())
        line += static_cast<int>(std::floor(static_cast<double>(pt.y - rect.top) / std::max(1, s.lineHeight)));
    line = std::clamp(line, 0, static_cast<int>(s.lines.size()) - 1);
    return OffsetInLine(s, dc.Dc(), static_cast<size_t>(line), pt.x);
}

// --- scroll bars and the view ---------------------------------------------------------

int LongestLineWidth(const EditState& s, HDC hdc)
{
    int widest = 0;
    for (size_t i = 0; i < s.lines.size(); ++i)
        widest = std::max(widest, LineWidth(s, hdc, i));
    return widest;
}

void UpdateScrollBars(EditState& s)
{
    const DWORD style = s.Style();
    if (style & WS_VSCROLL) {
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                      static_cast<int>(s.lines.size()) - 1, static_cast<UINT>(VisibleLines(s)),
                      static_cast<int>(s.firstLine), 0};
        SetScrollInfo(s.hwnd, SB_VERT, &si, TRUE);
    }
    if (style & WS_HSCROLL) {
        MeasureDc dc(s);
        const RECT rect = FormatRect(s);
        SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0,
                      LongestLineWidth(s, dc.Dc()), static_cast<UINT>(rect.right - rect.left), s.xOffset, 0};
        SetScrollInfo(s.hwnd, SB_HORZ, &si, TRUE);
    }
}

void PlaceCaret(EditState& s)
{
    if (!s.focused)
        return;
    MeasureDc dc(s);
    const POINT pt = PositionOf(s, dc.Dc(), s.buffer.Caret());
    SetCaretPos(pt.x, pt.y);
}

void Invalidate(EditState& s)
{
    InvalidateRect(s.hwnd, nullptr, TRUE);
}

// Scrolls so the caret is in view; returns whether the view moved.
bool ScrollCaretIntoView(EditState& s)
{
    const size_t previousFirst = s.firstLine;
    const int previousX = s.xOffset;
    const size_t line = LineOf(s, s.buffer.Caret());
    if (s.MultiLine()) {
        const size_t visible = static_cast<size_t>(VisibleLines(s));
        if (line < s.firstLine)
            s.firstLine = line;
        else if (line >= s.firstLine + visible)
            s.firstLine = line - visible + 1;
    }
    if (!s.Wraps()) {
        MeasureDc dc(s);
        const RECT rect = FormatRect(s);
        const int width = rect.right - rect.left;
        const int caretX = PositionOf(s, dc.Dc(), s.buffer.Caret()).x - rect.left + s.xOffset;
        if (caretX < s.xOffset)
            s.xOffset = std::max(0, caretX - width / 4);
        else if (caretX > s.xOffset + width)
            s.xOffset = caretX - width * 3 / 4;
    }
    const bool moved = previousFirst != s.firstLine || previousX != s.xOffset;
    if (moved) {
        Invalidate(s);
        UpdateScrollBars(s);
    }
    return moved;
}

void AfterSelectionMove(EditState& s, bool keepDesiredX = false)
{
    if (!keepDesiredX)
        s.desiredX = -1;
    ScrollCaretIntoView(s);
    PlaceCaret(s);
    Invalidate(s);
}

// --- changing the text ----------------------------------------------------------------

// The parent may destroy the control while it hears of the change: only the
// handle is used from here on.
void NotifyChange(HWND hwnd)
{
    NotifyParent(hwnd, EN_UPDATE);
    NotifyParent(hwnd, EN_CHANGE);
}

void AfterTextChange(EditState& s)
{
    Relayout(s);
    UpdateScrollBars(s);
    ScrollCaretIntoView(s);
    PlaceCaret(s);
    Invalidate(s);
}

std::string ApplyCase(const EditState& s, std::string text)
{
    if (s.Style() & ES_UPPERCASE) {
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
    } else if (s.Style() & ES_LOWERCASE) {
        for (char& c : text)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// Line breaks as the control keeps them: CR LF in a multi-line control; a
// single-line control keeps what comes before the first break.
std::string NormaliseBreaks(const EditState& s, const std::string& text)
{
    if (!s.MultiLine())
        return text.substr(0, text.find_first_of("\r\n"));
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (text[i] == '\n') {
            out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

// The longest leading part of a text that is whole characters and at most max bytes.
std::string CutToBytes(const std::string& text, size_t max)
{
    if (text.size() <= max)
        return text;
    size_t cut = SnapToCharStart(text, max);
    if (cut >= 2 && text[cut - 1] == '\r')
        --cut;
    return text.substr(0, cut);
}

// The longest start of an insertion, in whole characters, that still fits;
// more text never fits better, so halving finds it.
std::string LongestFittingStart(const std::string& insert, const std::function<bool(size_t)>& fits)
{
    if (fits(insert.size()))
        return insert;
    size_t low = 0;
    size_t high = insert.size();
    while (low < high) {
        size_t middle = SnapToCharStart(insert, (low + high + 1) / 2);
        if (middle <= low)
            middle = NextCharOffset(insert, low);
        if (middle > high)
            break;
        if (fits(middle))
            low = middle;
        else
            high = PrevCharOffset(insert, middle);
    }
    // Never half a line break.
    if (low > 0 && insert[low - 1] == '\r')
        --low;
    return insert.substr(0, low);
}

// A single-line control without ES_AUTOHSCROLL takes only what fits its width.
std::string CutToWidth(EditState& s, const std::string& insert)
{
    if (s.MultiLine() || (s.Style() & ES_AUTOHSCROLL))
        return insert;
    MeasureDc dc(s);
    const RECT rect = FormatRect(s);
    const int width = rect.right - rect.left;
    const std::string& text = s.buffer.Text();
    const std::string before = text.substr(0, s.buffer.SelStart());
    const std::string after = text.substr(s.buffer.SelEnd());
    return LongestFittingStart(insert, [&](size_t length) {
        const std::string whole = before + insert.substr(0, length) + after;
        return TextWidth(s, dc.Dc(), ShownOf(s, whole, 0, whole.size())) <= width;
    });
}

// A multi-line control with neither ES_AUTOVSCROLL nor a vertical scroll bar
// takes only the lines it can show.
std::string CutToHeight(EditState& s, const std::string& insert)
{
    if (!s.MultiLine() || (s.Style() & (ES_AUTOVSCROLL | WS_VSCROLL)))
        return insert;
    const std::string& text = s.buffer.Text();
    const std::string before = text.substr(0, s.buffer.SelStart());
    const std::string after = text.substr(s.buffer.SelEnd());
    const size_t visible = static_cast<size_t>(VisibleLines(s));
    return LongestFittingStart(insert, [&](size_t length) {
        EditBuffer candidate;
        candidate.SetText(before + insert.substr(0, length) + after);
        return LinesOf(s, candidate).size() <= visible;
    });
}

bool IsAllDigits(const std::string& text)
{
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Input from the person (typing, paste, deletion keys): honours read-only,
// ES_NUMBER, case, the limit and the width; returns whether the text changed.
bool UserReplace(EditState& s, std::string insert, EditBuffer::UndoMode mode)
{
    if (s.ReadOnly()) {
        MessageBeep(MB_OK);
        return false;
    }
    insert = ApplyCase(s, NormaliseBreaks(s, insert));
    if ((s.Style() & ES_NUMBER) && !IsAllDigits(insert)) {
        MessageBeep(MB_OK);
        return false;
    }
    const size_t kept = s.buffer.Length() - (s.buffer.SelEnd() - s.buffer.SelStart());
    const size_t room = s.limit > kept ? s.limit - kept : 0;
    std::string fitting = CutToBytes(insert, room);
    fitting = CutToHeight(s, CutToWidth(s, fitting));
    const bool truncated = fitting.size() < insert.size();
    if (fitting.empty() && !s.buffer.HasSelection()) {
        if (truncated)
            NotifyParent(s.hwnd, EN_MAXTEXT);
        return false;
    }
    s.buffer.ReplaceSelection(fitting, mode);
    s.modified = true;
    AfterTextChange(s);
    HWND hwnd = s.hwnd;
    NotifyChange(hwnd);
    if (truncated && IsWindow(hwnd))
        NotifyParent(hwnd, EN_MAXTEXT);
    return true;
}

void DeleteRange(EditState& s, size_t from, size_t to)
{
    if (from == to)
        return;
    if (s.ReadOnly()) {
        MessageBeep(MB_OK);
        return;
    }
    s.buffer.SetSelection(from, to);
    s.buffer.ReplaceSelection({}, EditBuffer::UndoMode::Record);
    s.modified = true;
    AfterTextChange(s);
    NotifyChange(s.hwnd);
}

void ReplaceFromProgram(EditState& s, const std::string& text, bool canUndo)
{
    const size_t kept = s.buffer.Length() - (s.buffer.SelEnd() - s.buffer.SelStart());
    const size_t room = s.limit > kept ? s.limit - kept : 0;
    const std::string fitting = CutToBytes(text, room);
    s.buffer.ReplaceSelection(fitting, canUndo ? EditBuffer::UndoMode::Record : EditBuffer::UndoMode::Forget);
    s.modified = true;
    AfterTextChange(s);
    HWND hwnd = s.hwnd;
    NotifyChange(hwnd);
    if (fitting.size() < text.size() && IsWindow(hwnd))
        NotifyParent(hwnd, EN_MAXTEXT);
}

void SetWholeText(EditState& s, const char* text)
{
    s.buffer.SetText(text ? text : "");
    s.modified = false;
    s.firstLine = 0;
    s.xOffset = 0;
    AfterTextChange(s);
    NotifyChange(s.hwnd);
}

// --- clipboard ------------------------------------------------------------------------

bool HidesText(const EditState& s)
{
    return (s.Style() & ES_PASSWORD) && s.passwordChar;
}

void Copy(EditState& s)
{
    if (!s.buffer.HasSelection() || HidesText(s))
        return;
    const std::string text = s.buffer.SelectedText();
    if (!OpenClipboard(s.hwnd))
        return;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (memory) {
        if (void* bytes = GlobalLock(memory)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
            if (!SetClipboardData(CF_TEXT, memory))
                GlobalFree(memory);
        } else {
            GlobalFree(memory);
        }
    }
    CloseClipboard();
}

void Clear(EditState& s)
{
    if (!s.buffer.HasSelection())
        return;
    DeleteRange(s, s.buffer.SelStart(), s.buffer.SelEnd());
}

void Cut(EditState& s)
{
    if (HidesText(s) || s.ReadOnly())
        return;
    Copy(s);
    Clear(s);
}

void Paste(EditState& s)
{
    if (!OpenClipboard(s.hwnd))
        return;
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!text.empty())
        UserReplace(s, text, EditBuffer::UndoMode::Record);
}

bool Undo(EditState& s)
{
    if (!s.buffer.Undo())
        return false;
    s.modified = true;
    AfterTextChange(s);
    NotifyChange(s.hwnd);
    return true;
}

// --- keyboard --------------------------------------------------------------------------

void MoveCaret(EditState& s, size_t to, bool extend, bool keepDesiredX = false)
{
    s.buffer.SetSelection(extend ? s.buffer.Anchor() : to, to);
    AfterSelectionMove(s, keepDesiredX);
}

void MoveVertically(EditState& s, int lines, bool extend)
{
    if (!s.MultiLine()) {
        MoveCaret(s, lines < 0 ? s.buffer.PrevChar(s.buffer.Caret()) : s.buffer.NextChar(s.buffer.Caret()), extend);
        return;
    }
    MeasureDc dc(s);
    const size_t caret = s.buffer.Caret();
    if (s.desiredX < 0)
        s.desiredX = PositionOf(s, dc.Dc(), caret).x;
    const int line = std::clamp(static_cast<int>(LineOf(s, caret)) + lines, 0, static_cast<int>(s.lines.size()) - 1);
    MoveCaret(s, OffsetInLine(s, dc.Dc(), static_cast<size_t>(line), s.desiredX), extend, true);
}

void OnKeyDown(EditState& s, WPARAM vk)
{
    const bool shift = IsKeyDown(VK_SHIFT);
    const bool control = IsKeyDown(VK_CONTROL);
    const EditBuffer& b = s.buffer;
    const size_t caret = b.Caret();
    const EditLine& line = s.lines[LineOf(s, caret)];
    switch (vk) {
    case VK_LEFT:
        if (b.HasSelection() && !shift && !control)
            MoveCaret(s, b.SelStart(), false);
        else
            MoveCaret(s, control ? b.PrevWord(caret) : b.PrevChar(caret), shift);
        break;
    case VK_RIGHT:
        if (b.HasSelection() && !shift && !control)
            MoveCaret(s, b.SelEnd(), false);
        else
            MoveCaret(s, control ? b.NextWord(caret) : b.NextChar(caret), shift);
        break;
    case VK_UP: MoveVertically(s, -1, shift); break;
    case VK_DOWN: MoveVertically(s, 1, shift); break;
    case VK_PRIOR: MoveVertically(s, -VisibleLines(s), shift); break;
    case VK_NEXT: MoveVertically(s, VisibleLines(s), shift); break;
    case VK_HOME: MoveCaret(s, control ? 0 : line.start, shift); break;
    case VK_END: MoveCaret(s, control ? b.Length() : line.end, shift); break;
    case VK_DELETE:
        if (shift)
            Cut(s);
        else if (b.HasSelection())
            Clear(s);
        else
            DeleteRange(s, caret, b.NextChar(caret));
        break;
    case VK_INSERT:
        if (control)
            Copy(s);
        else if (shift)
            Paste(s);
        break;
    default:
        break;
    }
}

// Bytes of a character arriving as WM_CHAR: a code point above 0xFF, or UTF-8
// bytes one message at a time.
bool CollectCharacter(EditState& s, WPARAM ch, std::string* out)
{
    if (ch > 0xFF) {
        *out = EncodeUtf8(static_cast<unsigned>(ch));
        return true;
    }
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
        s.pendingUtf8.clear();
        *out = std::string(1, static_cast<char>(byte));
        return true;
    }
    if ((byte & 0xC0) != 0x80)
        s.pendingUtf8.clear();
    s.pendingUtf8 += static_cast<char>(byte);
    const unsigned char lead = static_cast<unsigned char>(s.pendingUtf8[0]);
    const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (s.pendingUtf8.size() < needed)
        return false;
    *out = s.pendingUtf8;
    s.pendingUtf8.clear();
    return (lead & 0xC0) == 0xC0;
}

void OnChar(EditState& s, WPARAM ch)
{
    EditBuffer& b = s.buffer;
    switch (ch) {
    case 0x01:
        b.SetSelection(0, b.Length());
        AfterSelectionMove(s);
        return;
    case 0x03: Copy(s); return;
    case 0x16: Paste(s); return;
    case 0x18: Cut(s); return;
    case 0x1A: Undo(s); return;
    case VK_BACK:
        if (b.HasSelection())
            Clear(s);
        else
            DeleteRange(s, b.PrevChar(b.Caret()), b.Caret());
        return;
    case '\r':
    case '\n':
        if (s.MultiLine())
            UserReplace(s, "\r\n", EditBuffer::UndoMode::Typing);
        return;
    case '\t':
        if (s.MultiLine())
            UserReplace(s, "\t", EditBuffer::UndoMode::Typing);
        return;
    default:
        break;
    }
    if (ch < 0x20)
        return;
    std::string character;
    if (!CollectCharacter(s, ch, &character))
        return;
    UserReplace(s, character, EditBuffer::UndoMode::Typing);
}

LRESULT DialogCode(const EditState& s, LPARAM lParam)
{
    LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!s.MultiLine())
        return code;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN) {
        // Tab and Esc stay the dialog's; Enter too unless the control wants it.
        if (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE)
            return code;
        if (msg->wParam == VK_RETURN && !(s.Style() & ES_WANTRETURN))
            return code;
    }
    return code | DLGC_WANTALLKEYS;
}

// --- mouse and scrolling ------------------------------------------------------------------

void OnButtonDown(EditState& s, POINT pt)
{
    if (GetFocus() != s.hwnd)
        SetFocus(s.hwnd);
    const size_t at = OffsetFromPoint(s, pt);
    MoveCaret(s, at, IsKeyDown(VK_SHIFT));
    s.mouseSelecting = true;
    SetCapture(s.hwnd);
}

void OnDragMove(EditState& s, POINT pt)
{
    const RECT rect = FormatRect(s);
    if (PtInRect(&rect, pt))
        KillTimer(s.hwnd, kDragScrollTimer);
    else
        SetTimer(s.hwnd, kDragScrollTimer, kDragScrollMs, nullptr);
    MoveCaret(s, OffsetFromPoint(s, pt), true);
}

void OnDragScrollTimer(EditState& s)
{
    if (!s.mouseSelecting) {
        KillTimer(s.hwnd, kDragScrollTimer);
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(s.hwnd, &cursor);
    OnDragMove(s, cursor);
}

void OnDoubleClick(EditState& s, POINT pt)
{
    const auto [start, end] = s.buffer.WordAt(OffsetFromPoint(s, pt));
    s.buffer.SetSelection(start, end);
    AfterSelectionMove(s);
}

void ScrollLines(EditState& s, int delta)
{
    const int last = std::max(0, static_cast<int>(s.lines.size()) - VisibleLines(s));
    const int first = std::clamp(static_cast<int>(s.firstLine) + delta, 0, std::max(last, 0));
    if (static_cast<size_t>(first) == s.firstLine)
        return;
    s.firstLine = static_cast<size_t>(first);
    UpdateScrollBars(s);
    PlaceCaret(s);
    Invalidate(s);
}

void ScrollPixels(EditState& s, int delta)
{
    MeasureDc dc(s);
    const int widest = LongestLineWidth(s, dc.Dc());
    s.xOffset = std::clamp(s.xOffset + delta, 0, std::max(0, widest));
    UpdateScrollBars(s);
    PlaceCaret(s);
    Invalidate(s);
}

void OnVScroll(EditState& s, WPARAM wParam, bool notify)
{
    if (notify)
        NotifyParent(s.hwnd, EN_VSCROLL);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollLines(s, -1); break;
    case SB_LINEDOWN: ScrollLines(s, 1); break;
    case SB_PAGEUP: ScrollLines(s, -VisibleLines(s)); break;
    case SB_PAGEDOWN: ScrollLines(s, VisibleLines(s)); break;
    case SB_TOP: ScrollLines(s, -static_cast<int>(s.firstLine)); break;
    case SB_BOTTOM: ScrollLines(s, static_cast<int>(s.lines.size())); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        ScrollLines(s, static_cast<int>(HIWORD(wParam)) - static_cast<int>(s.firstLine));
        break;
    default: break;
    }
}

void OnHScroll(EditState& s, WPARAM wParam, bool notify)
{
    if (notify)
        NotifyParent(s.hwnd, EN_HSCROLL);
    const RECT rect = FormatRect(s);
    const int page = std::max(1, static_cast<int>(rect.right - rect.left));
    const int step = std::max(1, FontAverageWidth(s.font));
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: ScrollPixels(s, -step); break;
    case SB_LINERIGHT: ScrollPixels(s, step); break;
    case SB_PAGELEFT: ScrollPixels(s, -page); break;
    case SB_PAGERIGHT: ScrollPixels(s, page); break;
    case SB_LEFT: ScrollPixels(s, -s.xOffset); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollPixels(s, static_cast<int>(HIWORD(wParam)) - s.xOffset); break;
    default: break;
    }
}

// --- painting ----------------------------------------------------------------------------

void DrawPiece(const EditState& s, HDC hdc, int lineX, int y, size_t lineStart, size_t from, size_t to)
{
    if (from >= to)
        return;
    const std::string before = Shown(s, lineStart, from);
    const std::string piece = Shown(s, from, to);
    const int x = lineX + TextWidth(s, hdc, before);
    TabbedTextOut(hdc, x, y, piece.c_str(), static_cast<int>(piece.size()), static_cast<int>(s.tabStops.size()),
                  s.tabStops.empty() ? nullptr : s.tabStops.data(), lineX);
}

void Paint(EditState& s, HDC hdc)
{
    const bool greyed = s.ReadOnly() || !IsWindowEnabled(s.hwnd);
    HBRUSH background = ControlBrush(s.hwnd, hdc, greyed ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
    const COLORREF textColour = IsWindowEnabled(s.hwnd) ? GetTextColor(hdc) : GetSysColor(COLOR_GRAYTEXT);
    RECT client{};
    GetClientRect(s.hwnd, &client);
    FillRect(hdc, &client, background);
    FontScope font(hdc, s.font);
    const RECT rect = FormatRect(s);
    // The caller's DC (WM_PRINTCLIENT) gets its clipping back.
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rect.left, rect.top, rect.right, rect.bottom);
    SetBkMode(hdc, TRANSPARENT);
    const bool showSelection = s.buffer.HasSelection() && (s.focused || (s.Style() & ES_NOHIDESEL));
    const size_t selStart = s.buffer.SelStart();
    const size_t selEnd = s.buffer.SelEnd();
    for (size_t i = s.firstLine; i < s.lines.size(); ++i) {
        const int y = rect.top + static_cast<int>(i - s.firstLine) * s.lineHeight;
        if (y >= rect.bottom)
            break;
        const EditLine& line = s.lines[i];
        const int lineX = rect.left - s.xOffset + AlignShift(s, hdc, i);
        SetTextColor(hdc, textColour);
        DrawPiece(s, hdc, lineX, y, line.start, line.start, line.end);
        if (!showSelection)
            continue;
        const size_t from = std::clamp(selStart, line.start, line.end);
        const size_t to = std::clamp(selEnd, line.start, line.end);
        if (from >= to)
            continue;
        const int left = lineX + TextWidth(s, hdc, Shown(s, line.start, from));
        const int right = lineX + TextWidth(s, hdc, Shown(s, line.start, to));
        RECT band{left, y, right, y + s.lineHeight};
        FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        DrawPiece(s, hdc, lineX, y, line.start, from, to);
    }
    RestoreDC(hdc, saved);
}

// --- messages ----------------------------------------------------------------------------

void SetFont(EditState& s, HFONT font, bool redraw)
{
    s.font = font;
    s.lineHeight = FontHeight(font);
    Relayout(s);
    UpdateScrollBars(s);
    if (s.focused) {
        CreateCaret(s.hwnd, nullptr, 1, s.lineHeight);
        PlaceCaret(s);
        ShowCaret(s.hwnd);
    }
    if (redraw)
        Invalidate(s);
}

void SetMargins(EditState& s, WPARAM flags, LPARAM margins)
{
    const int fontMargin = FontAverageWidth(s.font) / 2;
    if (flags & EC_LEFTMARGIN)
        s.leftMargin = LOWORD(margins) == EC_USEFONTINFO ? fontMargin : static_cast<int>(LOWORD(margins));
    if (flags & EC_RIGHTMARGIN)
        s.rightMargin = HIWORD(margins) == EC_USEFONTINFO ? fontMargin : static_cast<int>(HIWORD(margins));
    Relayout(s);
    PlaceCaret(s);
    Invalidate(s);
}

void SetTabStops(EditState& s, WPARAM count, LPARAM stops)
{
    s.tabStops.clear();
    const int average = FontAverageWidth(s.font);
    const int* dialogUnits = reinterpret_cast<const int*>(stops);
    // Tab stops come in dialog template units: a quarter of the average character width.
    if (count == 1 && dialogUnits)
        s.tabStops.push_back(dialogUnits[0] * average / 4);
    for (WPARAM i = 0; count > 1 && dialogUnits && i < count; ++i)
        s.tabStops.push_back(dialogUnits[i] * average / 4);
    Relayout(s);
    Invalidate(s);
}

LRESULT GetLine(const EditState& s, WPARAM lineIndex, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out)
        return 0;
    WORD capacity = 0;
    std::memcpy(&capacity, out, sizeof capacity);
    const size_t line = s.MultiLine() ? lineIndex : 0;
    if (line >= s.lines.size())
        return 0;
    const EditLine& l = s.lines[line];
    const size_t count = std::min<size_t>(capacity, l.end - l.start);
    std::memcpy(out, s.buffer.Text().data() + l.start, count);
    if (count < capacity)
        out[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT LineLength(const EditState& s, WPARAM index)
{
    if (!s.MultiLine())
        return static_cast<LRESULT>(s.buffer.Length());
    if (static_cast<int>(index) == -1) {
        // The unselected characters on the lines the selection touches.
        const EditLine& first = s.lines[LineOf(s, s.buffer.SelStart())];
        const EditLine& last = s.lines[LineOf(s, s.buffer.SelEnd())];
        return static_cast<LRESULT>((s.buffer.SelStart() - first.start) +
                                    (last.end > s.buffer.SelEnd() ? last.end - s.buffer.SelEnd() : 0));
    }
    if (index > s.buffer.Length())
        return 0;
    const EditLine& line = s.lines[LineOf(s, index)];
    return static_cast<LRESULT>(line.end - line.start);
}

LRESULT LineIndex(const EditState& s, WPARAM line)
{
    if (static_cast<int>(line) == -1)
        line = LineOf(s, s.buffer.Caret());
    if (line >= s.lines.size())
        return -1;
    return static_cast<LRESULT>(s.lines[line].start);
}

LRESULT LineFromChar(const EditState& s, WPARAM index)
{
    if (static_cast<int>(index) == -1)
        index = s.buffer.HasSelection() ? s.buffer.SelStart() : s.buffer.Caret();
    return static_cast<LRESULT>(LineOf(s, std::min<size_t>(index, s.buffer.Length())));
}

void SetSel(EditState& s, WPARAM start, LPARAM end)
{
    const int from = static_cast<int>(start);
    if (from == -1) {
        s.buffer.SetSelection(s.buffer.Caret(), s.buffer.Caret());
    } else {
        const int to = static_cast<int>(end);
        const size_t length = s.buffer.Length();
        const size_t anchor = from < 0 ? length : std::min<size_t>(static_cast<size_t>(from), length);
        const size_t caret = to < 0 ? length : std::min<size_t>(static_cast<size_t>(to), length);
        s.buffer.SetSelection(anchor, caret);
    }
    PlaceCaret(s);
    Invalidate(s);
}

LRESULT GetSel(const EditState& s, WPARAM startOut, LPARAM endOut)
{
    const DWORD start = static_cast<DWORD>(s.buffer.SelStart());
    const DWORD end = static_cast<DWORD>(s.buffer.SelEnd());
    if (auto* p = reinterpret_cast<DWORD*>(startOut))
        *p = start;
    if (auto* p = reinterpret_cast<DWORD*>(endOut))
        *p = end;
    if (start > 0xFFFF || end > 0xFFFF)
        return -1;
    return MAKELONG(start, end);
}

LRESULT GetText(const EditState& s, WPARAM capacity, LPARAM buffer)
{
    char* out = reinterpret_cast<char*>(buffer);
    if (!out || capacity == 0)
        return 0;
    const std::string& text = s.buffer.Text();
    const size_t count = std::min<size_t>(SnapToCharStart(text, capacity - 1), text.size());
    std::memcpy(out, text.data(), count);
    out[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT PosFromChar(EditState& s, WPARAM index)
{
    if (index > s.buffer.Length())
        return -1;
    MeasureDc dc(s);
    const POINT pt = PositionOf(s, dc.Dc(), index);
    return MAKELONG(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y));
}

LRESULT CharFromPos(EditState& s, LPARAM lParam)
{
    const size_t offset = OffsetFromPoint(s, PointFromLParam(lParam));
    return MAKELONG(static_cast<WORD>(offset), static_cast<WORD>(LineOf(s, offset)));
}

LRESULT FirstVisible(EditState& s)
{
    if (s.MultiLine())
        return static_cast<LRESULT>(s.firstLine);
    return static_cast<LRESULT>(OffsetFromPoint(s, POINT{FormatRect(s).left, 0}));
}

void OnCreate(EditState& s, const CREATESTRUCT* cs)
{
    if (s.Style() & ES_PASSWORD)
        s.passwordChar = '*';
    // A multi-line control has no practical limit; a single-line one the classic default.
    s.limit = s.MultiLine() ? kUnlimited : kDefaultLimit;
    s.lineHeight = FontHeight(nullptr);
    // A title given as a resource ordinal is no text.
    s.buffer.SetText(cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName) ? cs->lpszName : "");
    Relayout(s);
    UpdateScrollBars(s);
}

LRESULT Dispatch(EditState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hwnd = s.hwnd;
    switch (message) {
    case WM_CREATE:
        OnCreate(s, reinterpret_cast<const CREATESTRUCT*>(lParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        Paint(s, paint.Dc());
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(s, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        Relayout(s);
        UpdateScrollBars(s);
        ScrollCaretIntoView(s);
        PlaceCaret(s);
        return 0;
    case WM_SETFONT:
        SetFont(s, reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT:
        DefWindowProc(hwnd, message, wParam, lParam);
        SetWholeText(s, reinterpret_cast<const char*>(lParam));
        return TRUE;
    case WM_GETTEXT:
        return GetText(s, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s.buffer.Length());
    case WM_ENABLE:
        Invalidate(s);
        return 0;
    case WM_GETDLGCODE:
        return DialogCode(s, lParam);
    case WM_SETFOCUS:
        s.focused = true;
        CreateCaret(hwnd, nullptr, 1, s.lineHeight);
        PlaceCaret(s);
        ShowCaret(hwnd);
        Invalidate(s);
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.focused = false;
        s.pendingUtf8.clear();
        DestroyCaret();
        Invalidate(s);
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(s, wParam);
        return 0;
    case WM_CHAR:
        OnChar(s, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(s, PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(s, PointFromLParam(lParam));
        return 0;
    case WM_MOUSEMOVE:
        if (s.mouseSelecting)
            OnDragMove(s, PointFromLParam(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kDragScrollTimer)
            OnDragScrollTimer(s);
        return 0;
    case WM_LBUTTONUP:
        if (s.mouseSelecting) {
            s.mouseSelecting = false;
            KillTimer(hwnd, kDragScrollTimer);
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        s.mouseSelecting = false;
        KillTimer(hwnd, kDragScrollTimer);
        return 0;
    case WM_MOUSEWHEEL:
        if (s.MultiLine())
            ScrollLines(s, -GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines);
        return 0;
    case WM_VSCROLL:
        OnVScroll(s, wParam, true);
        return 0;
    case WM_HSCROLL:
        OnHScroll(s, wParam, true);
        return 0;
    case WM_CUT: Cut(s); return 0;
    case WM_COPY: Copy(s); return 0;
    case WM_PASTE: Paste(s); return 0;
    case WM_CLEAR: Clear(s); return 0;
    case WM_UNDO:
    case EM_UNDO:
        return Undo(s) ? TRUE : FALSE;
    case EM_CANUNDO:
        return s.buffer.CanUndo() ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        s.buffer.EmptyUndo();
        return 0;
    case EM_GETSEL:
        return GetSel(s, wParam, lParam);
    case EM_SETSEL:
        SetSel(s, wParam, lParam);
        return 0;
    case EM_REPLACESEL:
        ReplaceFromProgram(s, lParam ? reinterpret_cast<const char*>(lParam) : "", wParam != 0);
        return 0;
    case EM_GETLINECOUNT:
        return static_cast<LRESULT>(s.lines.size());
    case EM_LINEINDEX:
        return LineIndex(s, wParam);
    case EM_LINELENGTH:
        return LineLength(s, wParam);
    case EM_GETLINE:
        return GetLine(s, wParam, lParam);
    case EM_LINEFROMCHAR:
        return LineFromChar(s, wParam);
    case EM_SCROLLCARET:
        ScrollCaretIntoView(s);
        PlaceCaret(s);
        return TRUE;
    case EM_LINESCROLL:
        if (!s.MultiLine())
            return FALSE;
        ScrollLines(s, static_cast<int>(lParam));
        if (!s.Wraps())
            ScrollPixels(s, static_cast<int>(wParam) * FontAverageWidth(s.font));
        return TRUE;
    case EM_SCROLL: {
        if (!s.MultiLine())
            return FALSE;
        const size_t before = s.firstLine;
        OnVScroll(s, wParam, false);
        return MAKELONG(static_cast<WORD>(static_cast<int>(s.firstLine) - static_cast<int>(before)), TRUE);
    }
    case EM_GETFIRSTVISIBLELINE:
        return FirstVisible(s);
    case EM_SETREADONLY: {
        const DWORD style = wParam ? (s.Style() | ES_READONLY) : (s.Style() & ~static_cast<DWORD>(ES_READONLY));
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
        Invalidate(s);
        return TRUE;
    }
    case EM_GETMODIFY:
        return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s.modified = wParam != 0;
        return 0;
    case EM_SETPASSWORDCHAR: {
        s.passwordChar = static_cast<char>(wParam);
        const DWORD style = wParam ? (s.Style() | ES_PASSWORD) : (s.Style() & ~static_cast<DWORD>(ES_PASSWORD));
        SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(style));
        Relayout(s);
        PlaceCaret(s);
        Invalidate(s);
        return 0;
    }
    case EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(s.passwordChar);
    case EM_LIMITTEXT:
        s.limit = wParam ? static_cast<size_t>(wParam) : kUnlimited;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s.limit);
    case EM_SETMARGINS:
        SetMargins(s, wParam, lParam);
        return 0;
    case EM_GETMARGINS:
        return MAKELONG(s.leftMargin, s.rightMargin);
    case EM_GETRECT:
        if (auto* rect = reinterpret_cast<RECT*>(lParam))
            *rect = FormatRect(s);
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
        s.hasFormatRect = lParam != 0;
        if (lParam)
            s.formatRect = *reinterpret_cast<const RECT*>(lParam);
        Relayout(s);
        if (message == EM_SETRECT)
            Invalidate(s);
        return 0;
    case EM_SETTABSTOPS:
        if (!s.MultiLine())
            return FALSE;
        SetTabStops(s, wParam, lParam);
        return TRUE;
    case EM_POSFROMCHAR:
        return PosFromChar(s, wParam);
    case EM_CHARFROMPOS:
        return CharFromPos(s, lParam);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace edit_detail

LRESULT CALLBACK EditControl::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    using namespace edit_detail;
    if (message == WM_NCCREATE) {
        auto* state = new EditState;
        state->hwnd = hwnd;
        AttachState(hwnd, state);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    EditState* s = StateOf<EditState>(hwnd);
    if (!s)
        return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        DestroyState<EditState>(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return Dispatch(*s, message, wParam, lParam);
}

}  // namespace tw::controls
