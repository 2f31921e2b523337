#include "platform/comctl/RichEdit.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/comctl/ControlClasses.h"
#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/controls/EditBuffer.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::comctl {

namespace richedit_detail {

using controls::EditBuffer;

constexpr size_t kDefaultLimit = 32767;
constexpr size_t kExDefaultLimit = 65536;
constexpr size_t kDefaultUndoLimit = 100;
constexpr int kMargin = 1;
constexpr int kWheelLines = 3;
constexpr int kScrollStep = 8;  // pixels per horizontal scroll-bar arrow
constexpr int kTwipsPerInch = 1440;
constexpr int kPixelsPerInch = 96;
constexpr int kLabelGap = 4;
constexpr const char* kBullet = "\xE2\x80\xA2";

int TwipsToPixels(LONG twips)
{
    return static_cast<int>((static_cast<long long>(twips) * kPixelsPerInch + kTwipsPerInch / 2) / kTwipsPerInch);
}

CHARFORMAT2A DefaultCharFormat()
{
    CHARFORMAT2A format{};
    format.cbSize = sizeof(CHARFORMAT2A);
    format.dwMask = CFM_ALL | CFM_WEIGHT | CFM_BACKCOLOR;
    format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    format.yHeight = 160;
    format.wWeight = FW_NORMAL;
    format.bPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    std::strcpy(format.szFaceName, "MS Sans Serif");
    return format;
}

PARAFORMAT2 DefaultParaFormat()
{
    PARAFORMAT2 format{};
    format.cbSize = sizeof(PARAFORMAT2);
    format.wAlignment = PFA_LEFT;
    return format;
}

// Attribute by attribute, so that padding never makes two equal formats differ.
DWORD CharDifferences(const CHARFORMAT2A& a, const CHARFORMAT2A& b)
{
    DWORD differ = 0;
    const DWORD effects = a.dwEffects ^ b.dwEffects;
    for (DWORD bit : {CFM_BOLD, CFM_ITALIC, CFM_UNDERLINE, CFM_STRIKEOUT, CFM_PROTECTED, CFM_LINK})
        if (effects & bit)
            differ |= bit;
    if (effects & CFE_AUTOCOLOR || (!(a.dwEffects & CFE_AUTOCOLOR) && a.crTextColor != b.crTextColor))
        differ |= CFM_COLOR;
    if (effects & CFE_AUTOBACKCOLOR || (!(a.dwEffects & CFE_AUTOBACKCOLOR) && a.crBackColor != b.crBackColor))
        differ |= CFM_BACKCOLOR;
    if (a.yHeight != b.yHeight)
        differ |= CFM_SIZE;
    if (a.yOffset != b.yOffset)
        differ |= CFM_OFFSET;
    if (a.bCharSet != b.bCharSet)
        differ |= CFM_CHARSET;
    if (a.wWeight != b.wWeight)
        differ |= CFM_WEIGHT;
    if (std::strncmp(a.szFaceName, b.szFaceName, LF_FACESIZE) != 0 || a.bPitchAndFamily != b.bPitchAndFamily)
        differ |= CFM_FACE;
    return differ;
}

// Face names are fixed arrays that may lack their terminator.
void CopyFace(char* to, const char* from)
{
    const size_t length = strnlen(from, LF_FACESIZE - 1);
    std::memset(to, 0, LF_FACESIZE);
    std::memcpy(to, from, length);
}

void CopyEffect(CHARFORMAT2A& to, const CHARFORMAT& from, DWORD bit)
{
    to.dwEffects = (to.dwEffects & ~bit) | (from.dwEffects & bit);
}

// The attributes named by the caller's mask, laid over a format.
CHARFORMAT2A MergeCharFormat(CHARFORMAT2A to, const CHARFORMAT& from, bool extended)
{
    const DWORD mask = from.dwMask;
    for (DWORD bit : {CFM_BOLD, CFM_ITALIC, CFM_UNDERLINE, CFM_STRIKEOUT, CFM_PROTECTED, CFM_LINK})
        if (mask & bit)
            CopyEffect(to, from, bit);
    if (mask & CFM_BOLD)
        to.wWeight = (from.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    if (mask & CFM_COLOR) {
        CopyEffect(to, from, CFE_AUTOCOLOR);
        to.crTextColor = from.crTextColor;
    }
    if (mask & CFM_SIZE)
        to.yHeight = from.yHeight;
    if (mask & CFM_OFFSET)
        to.yOffset = from.yOffset;
    if (mask & CFM_CHARSET)
        to.bCharSet = from.bCharSet;
    if (mask & CFM_FACE) {
        CopyFace(to.szFaceName, from.szFaceName);
        to.bPitchAndFamily = from.bPitchAndFamily;
    }
    if (!extended)
        return to;
    const auto& wide = static_cast<const CHARFORMAT2A&>(from);
    if (mask & CFM_WEIGHT) {
        to.wWeight = wide.wWeight;
        to.dwEffects = (to.dwEffects & ~CFE_BOLD) | (wide.wWeight >= FW_BOLD ? CFE_BOLD : 0);
    }
    if (mask & CFM_BACKCOLOR) {
        CopyEffect(to, from, CFE_AUTOBACKCOLOR);
        to.crBackColor = wide.crBackColor;
    }
    return to;
}

bool IsCharFormatSize(UINT size) { return size == sizeof(CHARFORMAT) || size == sizeof(CHARFORMAT2A); }
bool IsParaFormatSize(UINT size) { return size == sizeof(PARAFORMAT) || size == sizeof(PARAFORMAT2); }

PARAFORMAT2 MergeParaFormat(PARAFORMAT2 to, const PARAFORMAT& from, bool extended)
{
    const DWORD mask = from.dwMask;
    if (mask & PFM_STARTINDENT)
        to.dxStartIndent = from.dxStartIndent;
    if (mask & PFM_OFFSETINDENT)
        to.dxStartIndent += from.dxStartIndent;
    if (mask & PFM_RIGHTINDENT)
        to.dxRightIndent = from.dxRightIndent;
    if (mask & PFM_OFFSET)
        to.dxOffset = from.dxOffset;
    if (mask & PFM_ALIGNMENT)
        to.wAlignment = from.wAlignment;
    if (mask & PFM_NUMBERING)
        to.wNumbering = from.wNumbering;
    if (mask & PFM_TABSTOPS) {
        to.cTabCount = std::clamp<SHORT>(from.cTabCount, 0, MAX_TAB_STOPS);
        std::copy_n(from.rgxTabs, to.cTabCount, to.rgxTabs);
    }
    if (!extended)
        return to;
    const auto& wide = static_cast<const PARAFORMAT2&>(from);
    if (mask & PFM_NUMBERINGSTART)
        to.wNumberingStart = wide.wNumberingStart;
    if (mask & PFM_NUMBERINGSTYLE)
        to.wNumberingStyle = wide.wNumberingStyle;
    if (mask & PFM_NUMBERINGTAB)
        to.wNumberingTab = wide.wNumberingTab;
    return to;
}

DWORD ParaDifferences(const PARAFORMAT2& a, const PARAFORMAT2& b)
{
    DWORD differ = 0;
    if (a.dxStartIndent != b.dxStartIndent)
        differ |= PFM_STARTINDENT;
    if (a.dxRightIndent != b.dxRightIndent)
        differ |= PFM_RIGHTINDENT;
    if (a.dxOffset != b.dxOffset)
        differ |= PFM_OFFSET;
    if (a.wAlignment != b.wAlignment)
        differ |= PFM_ALIGNMENT;
    if (a.wNumbering != b.wNumbering)
        differ |= PFM_NUMBERING;
    if (a.cTabCount != b.cTabCount || !std::equal(a.rgxTabs, a.rgxTabs + a.cTabCount, b.rgxTabs))
        differ |= PFM_TABSTOPS;
    if (a.wNumberingStart != b.wNumberingStart)
        differ |= PFM_NUMBERINGSTART;
    if (a.wNumberingStyle != b.wNumberingStyle)
        differ |= PFM_NUMBERINGSTYLE;
    if (a.wNumberingTab != b.wNumberingTab)
        differ |= PFM_NUMBERINGTAB;
    return differ;
}

constexpr DWORD kParaMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS |
                            PFM_NUMBERING | PFM_OFFSETINDENT;
constexpr DWORD kPara2Mask = kParaMask | PFM_NUMBERINGSTART | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB;

// Every line break is kept as CR LF, so a paragraph ends at each LF.
std::string NormaliseBreaks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string RomanNumber(unsigned value)
{
    static const std::pair<unsigned, const char*> kDigits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                             {100, "c"},   {90, "xc"},  {50, "l"},  {40, "xl"},
                                                             {10, "x"},    {9, "ix"},   {5, "v"},   {4, "iv"},
                                                             {1, "i"}};
    std::string out;
    for (const auto& [amount, digits] : kDigits)
        for (; value >= amount; value -= amount)
            out += digits;
    return out;
}

std::string LetterNumber(unsigned value)
{
    std::string out;
    for (; value > 0; value = (value - 1) / 26)
        out.insert(out.begin(), static_cast<char>('a' + (value - 1) % 26));
    return out;
}

std::string NumberText(WORD kind, unsigned value)
{
    std::string digits;
    switch (kind) {
    case PFN_LCLETTER: digits = LetterNumber(value); break;
    case PFN_UCLETTER: digits = LetterNumber(value); break;
    case PFN_LCROMAN: digits = RomanNumber(value); break;
    case PFN_UCROMAN: digits = RomanNumber(value); break;
    default: digits = std::to_string(value); break;
    }
    if (kind == PFN_UCLETTER || kind == PFN_UCROMAN)
        std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) { return c - 'a' + 'A'; });
    return digits;
}

std::string NumberLabel(const PARAFORMAT2& para, unsigned value)
{
    if (para.wNumbering == PFN_BULLET)
        return kBullet;
    const std::string number = NumberText(para.wNumbering, value);
    switch (para.wNumberingStyle & 0xFF00) {
    case PFNS_PARENS: return "(" + number + ")";
    case PFNS_PERIOD: return number + ".";
    case PFNS_PLAIN: return number;
    case PFNS_NONUMBER: return "";
    default: return number + ")";
    }
}

// One paragraph as shown: paragraphs never wrap, so each is one row.
struct Row {
    size_t start = 0;
    size_t end = 0;  // before the line break
    int top = 0;
    int height = 0;
    int ascent = 0;
    int textX = 0;  // where the text starts, before horizontal scrolling
    int width = 0;  // of the text
    int labelX = 0;
    std::string label;
    UINT labelFormat = 0;
};

struct FontInfo {
    HFONT font = nullptr;
    int height = 0;
    int ascent = 0;
};

struct Snapshot {
    std::string text;
    std::vector<UINT> runs;
    std::vector<PARAFORMAT2> paras;
    size_t anchor = 0;
    size_t caret = 0;
};

enum class Edit { Typing, Undoable, Forget };

class RichEditState {
public:
    explicit RichEditState(HWND hwnd) : hwnd_(hwnd)
    {
        formats_.push_back(DefaultCharFormat());
        paras_.push_back(DefaultParaFormat());
    }
    ~RichEditState()
    {
        for (auto& [index, info] : fonts_)
            DeleteObject(info.font);
    }
    RichEditState(const RichEditState&) = delete;
    RichEditState& operator=(const RichEditState&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    DWORD Style() const { return controls::StyleOf(hwnd_); }
    bool MultiLine() const { return (Style() & ES_MULTILINE) != 0; }
    bool ReadOnly() const { return (Style() & ES_READONLY) != 0; }
    const std::string& Text() const { return buffer_.Text(); }

    // --- the document ---
    UINT Intern(const CHARFORMAT2A& format);
    size_t ParagraphOf(size_t offset) const;
    UINT InsertionFormat() const;
    void Replace(size_t from, size_t to, const std::string& text, UINT format);
    void ReplaceAll(const std::string& text);
    bool ApplyCharFormat(WPARAM scope, const CHARFORMAT* format);
    LRESULT ReadCharFormat(WPARAM scope, CHARFORMAT* format) const;
    bool ApplyParaFormat(const PARAFORMAT* format);
    LRESULT ReadParaFormat(PARAFORMAT* format) const;
    std::pair<size_t, size_t> SelectedParagraphs() const;

    // --- undo ---
    Snapshot Capture() const;
    void Restore(const Snapshot& snapshot);
    void BeginEdit(Edit kind);
    void EndEdit(Edit kind);
    bool Undo();
    bool Redo();
    void ForgetHistory();

    // --- changes from the user and the program ---
    bool UserInsert(std::string text, Edit kind);
    void UserDelete(size_t from, size_t to);
    void ProgramReplace(const char* text, bool canUndo);
    void AfterTextChange();
    void NotifyCommand(int code);
    void NotifySelectionIfMoved();
    void SetSelection(size_t anchor, size_t caret);
    void MoveCaret(size_t to, bool extend);

    // --- clipboard ---
    void Copy();
    bool ClipboardText(std::string* text) const;
    void Paste();
    BOOL CanPaste(UINT format) const;

    // --- layout and painting ---
    FontInfo FontOf(UINT format);
    int Measure(HDC hdc, size_t from, size_t to);
    void Layout();
    size_t RowOf(size_t offset) const;
    int XOf(size_t offset);
    size_t OffsetAtX(size_t row, int x);
    size_t OffsetFromPoint(POINT pt);
    RECT TextArea() const;
    void PlaceCaret();
    void ScrollCaretIntoView();
    void UpdateScrollBars();
    void Paint(HDC hdc);
    void DrawRow(HDC hdc, const Row& row, int y, int x0, bool showSelection);

    // --- input ---
    void OnKeyDown(WPARAM vk);
    void OnChar(WPARAM ch);
    void MoveVertically(int rows, bool extend);
    void OnButtonDown(POINT pt);
    void OnVScroll(WPARAM wParam);
    void OnHScroll(WPARAM wParam);
    void ScrollTo(int firstRow);
    LRESULT DialogCode(LPARAM lParam) const;
    void SetFont(HFONT font, bool redraw);

    HWND hwnd_;
    EditBuffer buffer_;
    std::vector<CHARFORMAT2A> formats_;  // only grows, so indices in old snapshots stay valid
    std::vector<UINT> runs_;             // the format of every byte of the text
    std::vector<PARAFORMAT2> paras_;     // one per paragraph
    UINT defaultFormat_ = 0;
    std::optional<UINT> pendingFormat_;  // set on an empty selection, until the caret moves
    std::map<UINT, FontInfo> fonts_;
    std::vector<Row> rows_;

    std::vector<Snapshot> undo_;
    std::vector<Snapshot> redo_;
    size_t undoLimit_ = kDefaultUndoLimit;
    bool typingGroupOpen_ = false;

    DWORD scrollBars_ = 0;  // WS_HSCROLL and WS_VSCROLL as created
    HFONT font_ = nullptr;
    size_t limit_ = kDefaultLimit;
    DWORD eventMask_ = ENM_NONE;
    COLORREF background_ = CLR_NONE;  // none: the window colour
    bool modified_ = false;
    bool focused_ = false;
    bool selecting_ = false;
    bool hideSelection_ = false;
    size_t firstRow_ = 0;
    int xOffset_ = 0;
    int desiredX_ = -1;
    std::string pendingUtf8_;
    CHARRANGE reportedSelection_{0, 0};
};

// --- the document ---------------------------------------------------------------------------

UINT RichEditState::Intern(const CHARFORMAT2A& format)
{
    for (UINT i = 0; i < formats_.size(); ++i)
        if (CharDifferences(formats_[i], format) == 0)
            return i;
    formats_.push_back(format);
    return static_cast<UINT>(formats_.size() - 1);
}

size_t RichEditState::ParagraphOf(size_t offset) const
{
    const std::string& text = Text();
    offset = std::min(offset, text.size());
    return static_cast<size_t>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// Typed text takes the format set on an empty selection, else that of the
// character before the caret, else that of the first character.
UINT RichEditState::InsertionFormat() const
{
    if (pendingFormat_)
        return *pendingFormat_;
    const size_t caret = buffer_.SelStart();
    if (caret > 0)
        return runs_[caret - 1];
    return runs_.empty() ? defaultFormat_ : runs_[0];
}

void RichEditState::Replace(size_t from, size_t to, const std::string& text, UINT format)
{
    from = buffer_.Snap(std::min(from, Text().size()));
    to = buffer_.Snap(std::clamp(to, from, Text().size()));
    const auto removedBreaks = std::count(Text().begin() + static_cast<std::ptrdiff_t>(from),
                                          Text().begin() + static_cast<std::ptrdiff_t>(to), '\n');
    const auto addedBreaks = std::count(text.begin(), text.end(), '\n');
    const size_t paragraph = ParagraphOf(from);
    // Paragraphs joined by the removal keep the format of the first.
    const PARAFORMAT2 kept = paras_[paragraph];
    paras_.erase(paras_.begin() + static_cast<std::ptrdiff_t>(paragraph) + 1,
                 paras_.begin() + static_cast<std::ptrdiff_t>(paragraph) + 1 + removedBreaks);
    paras_.insert(paras_.begin() + static_cast<std::ptrdiff_t>(paragraph) + 1, static_cast<size_t>(addedBreaks), kept);
    runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(from), runs_.begin() + static_cast<std::ptrdiff_t>(to));
    runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(from), text.size(), format);
    buffer_.Replace(from, to, text, EditBuffer::UndoMode::Forget);
    pendingFormat_.reset();
}

void RichEditState::ReplaceAll(const std::string& text)
{
    const UINT format = runs_.empty() ? defaultFormat_ : runs_[0];
    buffer_.SetText(NormaliseBreaks(text));
    runs_.assign(Text().size(), format);
    paras_.assign(ParagraphOf(Text().size()) + 1, paras_[0]);
    pendingFormat_.reset();
}

bool RichEditState::ApplyCharFormat(WPARAM scope, const CHARFORMAT* format)
{
    if (!format || !IsCharFormatSize(format->cbSize))
        return false;
    const bool extended = format->cbSize == sizeof(CHARFORMAT2A);
    if (scope & SCF_ALL) {
        BeginEdit(Edit::Undoable);
        for (UINT& run : runs_)
            run = Intern(MergeCharFormat(formats_[run], *format, extended));
        defaultFormat_ = Intern(MergeCharFormat(formats_[defaultFormat_], *format, extended));
        pendingFormat_.reset();
        EndEdit(Edit::Undoable);
        return true;
    }
    if (!(scope & SCF_SELECTION)) {
        defaultFormat_ = Intern(MergeCharFormat(formats_[defaultFormat_], *format, extended));
        if (Text().empty())
            pendingFormat_.reset();
        Layout();
        InvalidateRect(hwnd_, nullptr, TRUE);
        return true;
    }
    size_t from = buffer_.SelStart();
    size_t to = buffer_.SelEnd();
    if (from == to && (scope & SCF_WORD)) {
        const auto [wordStart, wordEnd] = buffer_.WordAt(from);
        const bool onWord = wordStart < wordEnd && !std::isspace(static_cast<unsigned char>(Text()[wordStart]));
        if (onWord) {
            from = wordStart;
            to = wordEnd;
        }
    }
    if (from == to) {
        pendingFormat_ = Intern(MergeCharFormat(formats_[InsertionFormat()], *format, extended));
        return true;
    }
    BeginEdit(Edit::Undoable);
    std::map<UINT, UINT> merged;
    for (size_t i = from; i < to; ++i) {
        auto found = merged.find(runs_[i]);
        if (found == merged.end())
            found = merged.emplace(runs_[i], Intern(MergeCharFormat(formats_[runs_[i]], *format, extended))).first;
        runs_[i] = found->second;
    }
    EndEdit(Edit::Undoable);
    return true;
}

LRESULT RichEditState::ReadCharFormat(WPARAM scope, CHARFORMAT* format) const
{
    if (!format || !IsCharFormatSize(format->cbSize))
        return 0;
    const bool extended = format->cbSize == sizeof(CHARFORMAT2A);
    const DWORD validMask = extended ? (CFM_ALL | CFM_WEIGHT | CFM_BACKCOLOR) : CFM_ALL;
    const size_t from = buffer_.SelStart();
    const size_t to = buffer_.SelEnd();
    const bool selection = scope & SCF_SELECTION;
    const UINT first = !selection ? defaultFormat_ : (from == to ? InsertionFormat() : runs_[from]);
    DWORD differ = 0;
    if (selection)
        for (size_t i = from; i < to; ++i)
            differ |= CharDifferences(formats_[first], formats_[runs_[i]]);
    const UINT size = format->cbSize;
    if (extended)
        static_cast<CHARFORMAT2A&>(*format) = formats_[first];
    else
        *format = formats_[first];
    format->cbSize = size;
    format->dwMask = validMask & ~differ;
    return static_cast<LRESULT>(format->dwMask);
}

std::pair<size_t, size_t> RichEditState::SelectedParagraphs() const
{
    return {ParagraphOf(buffer_.SelStart()), ParagraphOf(buffer_.SelEnd())};
}

bool RichEditState::ApplyParaFormat(const PARAFORMAT* format)
{
    if (!format || !IsParaFormatSize(format->cbSize))
        return false;
    if ((format->dwMask & PFM_ALIGNMENT) && (format->wAlignment < PFA_LEFT || format->wAlignment > PFA_CENTER))
        return false;
    const bool extended = format->cbSize == sizeof(PARAFORMAT2);
    BeginEdit(Edit::Undoable);
    const auto [first, last] = SelectedParagraphs();
    for (size_t p = first; p <= last; ++p)
        paras_[p] = MergeParaFormat(paras_[p], *format, extended);
    EndEdit(Edit::Undoable);
    return true;
}

LRESULT RichEditState::ReadParaFormat(PARAFORMAT* format) const
{
    if (!format || !IsParaFormatSize(format->cbSize))
        return 0;
    const bool extended = format->cbSize == sizeof(PARAFORMAT2);
    const auto [first, last] = SelectedParagraphs();
    DWORD differ = 0;
    for (size_t p = first + 1; p <= last; ++p)
        differ |= ParaDifferences(paras_[first], paras_[p]);
    const UINT size = format->cbSize;
    if (extended)
        static_cast<PARAFORMAT2&>(*format) = paras_[first];
    else
        *format = paras_[first];
    format->cbSize = size;
    format->dwMask = (extended ? kPara2Mask : kParaMask) & ~differ & ~PFM_OFFSETINDENT;
    return static_cast<LRESULT>(format->dwMask);
}

// --- undo: whole snapshots, so formats and paragraphs come back with the text ---------------------

Snapshot RichEditState::Capture() const
{
    return Snapshot{Text(), runs_, paras_, buffer_.Anchor(), buffer_.Caret()};
}

void RichEditState::Restore(const Snapshot& snapshot)
{
    buffer_.SetText(snapshot.text);
    runs_ = snapshot.runs;
    paras_ = snapshot.paras;
    buffer_.SetSelection(snapshot.anchor, snapshot.caret);
    pendingFormat_.reset();
    typingGroupOpen_ = false;
}

void RichEditState::BeginEdit(Edit kind)
{
    if (kind == Edit::Forget || undoLimit_ == 0)
        return;
    // Typing goes on in the step it opened until something else happens.
    if (kind == Edit::Typing && typingGroupOpen_)
        return;
    undo_.push_back(Capture());
    if (undo_.size() > undoLimit_)
        undo_.erase(undo_.begin());
    redo_.clear();
    typingGroupOpen_ = kind == Edit::Typing;
}

void RichEditState::EndEdit(Edit kind)
{
    if (kind == Edit::Forget)
        ForgetHistory();
    if (kind != Edit::Typing)
        typingGroupOpen_ = false;
    modified_ = true;
    AfterTextChange();
}

void RichEditState::ForgetHistory()
{
    undo_.clear();
    redo_.clear();
    typingGroupOpen_ = false;
}

bool RichEditState::Undo()
{
    if (undo_.empty())
        return false;
    redo_.push_back(Capture());
    Restore(undo_.back());
    undo_.pop_back();
    modified_ = true;
    AfterTextChange();
    return true;
}

bool RichEditState::Redo()
{
    if (redo_.empty())
        return false;
    undo_.push_back(Capture());
    Restore(redo_.back());
    redo_.pop_back();
    modified_ = true;
    AfterTextChange();
    return true;
}

// --- changes ------------------------------------------------------------------------------------

bool RichEditState::UserInsert(std::string text, Edit kind)
{
    if (ReadOnly())
        return false;
    text = NormaliseBreaks(text);
    if (!MultiLine()) {
        const size_t cut = text.find('\r');
        if (cut != std::string::npos)
            text.erase(cut);
    }
    const size_t room = limit_ - std::min(limit_, Text().size() - (buffer_.SelEnd() - buffer_.SelStart()));
    if (text.size() > room) {
        size_t fits = controls::SnapToCharStart(text, room);
        if (fits > 0 && text[fits - 1] == '\r')
            --fits;
        text.erase(fits);
        NotifyCommand(EN_MAXTEXT);
    }
    if (text.empty() && !buffer_.HasSelection())
        return false;
    const UINT format = InsertionFormat();
    if (kind != Edit::Typing || buffer_.HasSelection())
        typingGroupOpen_ = false;
    BeginEdit(kind);
    Replace(buffer_.SelStart(), buffer_.SelEnd(), text, format);
    EndEdit(kind);
    return true;
}

void RichEditState::UserDelete(size_t from, size_t to)
{
    if (ReadOnly() || from >= to)
        return;
    typingGroupOpen_ = false;
    BeginEdit(Edit::Undoable);
    Replace(from, to, "", 0);
    EndEdit(Edit::Undoable);
}

void RichEditState::ProgramReplace(const char* text, bool canUndo)
{
    std::string insert = NormaliseBreaks(text ? text : "");
    const Edit kind = canUndo ? Edit::Undoable : Edit::Forget;
    typingGroupOpen_ = false;
    BeginEdit(kind);
    Replace(buffer_.SelStart(), buffer_.SelEnd(), insert, InsertionFormat());
    EndEdit(kind);
}

void RichEditState::AfterTextChange()
{
    Layout();
    ScrollCaretIntoView();
    UpdateScrollBars();
    PlaceCaret();
    InvalidateRect(hwnd_, nullptr, TRUE);
    if (eventMask_ & ENM_UPDATE)
        NotifyCommand(EN_UPDATE);
    if (eventMask_ & ENM_CHANGE)
        NotifyCommand(EN_CHANGE);
}

void RichEditState::NotifyCommand(int code) { controls::NotifyParent(hwnd_, code); }

void RichEditState::NotifySelectionIfMoved()
{
    const CHARRANGE now{static_cast<LONG>(buffer_.SelStart()), static_cast<LONG>(buffer_.SelEnd())};
    if (now.cpMin == reportedSelection_.cpMin && now.cpMax == reportedSelection_.cpMax)
        return;
    reportedSelection_ = now;
    if (!(eventMask_ & ENM_SELCHANGE))
        return;
    SELCHANGE change{};
    change.chrg = now;
    change.seltyp = now.cpMin == now.cpMax ? SEL_EMPTY : SEL_TEXT;
    SendNotify(hwnd_, EN_SELCHANGE, &change.nmhdr);
}

void RichEditState::SetSelection(size_t anchor, size_t caret)
{
    const size_t oldAnchor = buffer_.Anchor();
    const size_t oldCaret = buffer_.Caret();
    buffer_.SetSelection(std::min(anchor, Text().size()), std::min(caret, Text().size()));
    if (buffer_.Anchor() == oldAnchor && buffer_.Caret() == oldCaret)
        return;
    pendingFormat_.reset();
    typingGroupOpen_ = false;
    ScrollCaretIntoView();
    UpdateScrollBars();
    PlaceCaret();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void RichEditState::MoveCaret(size_t to, bool extend)
{
    SetSelection(extend ? buffer_.Anchor() : to, to);
}

// --- clipboard ------------------------------------------------------------------------------------

void RichEditState::Copy()
{
    if (!buffer_.HasSelection() || !OpenClipboard(hwnd_))
        return;
    const std::string text = buffer_.SelectedText();
    EmptyClipboard();
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        void* bytes = GlobalLock(memory);
        if (bytes) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            GlobalUnlock(memory);
        }
        if (!bytes || !SetClipboardData(CF_TEXT, memory))
            GlobalFree(memory);
    }
    CloseClipboard();
}

bool RichEditState::ClipboardText(std::string* text) const
{
    if (!OpenClipboard(hwnd_))
        return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text->assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}

// Only plain text is understood, so pasted text always takes the format at the caret.
void RichEditState::Paste()
{
    std::string text;
    if (ClipboardText(&text) && !text.empty())
        UserInsert(text, Edit::Undoable);
}

BOOL RichEditState::CanPaste(UINT format) const
{
    if (format == 0)
        return IsClipboardFormatAvailable(CF_TEXT) || IsClipboardFormatAvailable(CF_UNICODETEXT) ||
               IsClipboardFormatAvailable(CF_OEMTEXT);
    if (format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT)
        return IsClipboardFormatAvailable(format);
    return FALSE;
}

// --- layout ---------------------------------------------------------------------------------------

FontInfo RichEditState::FontOf(UINT format)
{
    auto found = fonts_.find(format);
    if (found != fonts_.end())
        return found->second;
    const CHARFORMAT2A& cf = formats_[format];
    LOGFONT lf{};
    lf.lfHeight = -std::max(1, TwipsToPixels(cf.yHeight));
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? std::max<int>(cf.wWeight, FW_BOLD) : FW_NORMAL;
    lf.lfItalic = (cf.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfUnderline = (cf.dwEffects & (CFE_UNDERLINE | CFE_LINK)) ? TRUE : FALSE;
    lf.lfStrikeOut = (cf.dwEffects & CFE_STRIKEOUT) ? TRUE : FALSE;
    lf.lfCharSet = cf.bCharSet;
    lf.lfPitchAndFamily = cf.bPitchAndFamily;
    CopyFace(lf.lfFaceName, cf.szFaceName);
    FontInfo info;
    info.font = CreateFontIndirect(&lf);
    HDC hdc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(hdc, info.font);
    TEXTMETRIC tm{};
    GetTextMetrics(hdc, &tm);
    SelectObject(hdc, old);
    ReleaseDC(hwnd_, hdc);
    info.height = tm.tmHeight;
    info.ascent = tm.tmAscent;
    fonts_.emplace(format, info);
    return info;
}

// The width of a stretch of one row, run by run.
int RichEditState::Measure(HDC hdc, size_t from, size_t to)
{
    int width = 0;
    while (from < to) {
        size_t runEnd = from;
        while (runEnd < to && runs_[runEnd] == runs_[from])
            ++runEnd;
        HGDIOBJ old = SelectObject(hdc, FontOf(runs_[from]).font);
        SIZE size{};
        GetTextExtentPoint32(hdc, Text().c_str() + from, static_cast<int>(runEnd - from), &size);
        SelectObject(hdc, old);
        width += size.cx;
        from = runEnd;
    }
    return width;
}

RECT RichEditState::TextArea() const
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    InflateRect(&client, -kMargin, -kMargin);
    return client;
}

void RichEditState::Layout()
{
    rows_.clear();
    HDC hdc = GetDC(hwnd_);
    const RECT area = TextArea();
    const std::string& text = Text();
    unsigned counter = 0;
    WORD counting = 0;
    int top = 0;
    size_t start = 0;
    for (size_t p = 0; p < paras_.size(); ++p) {
        const size_t breakAt = text.find('\r', start);
        Row row;
        row.start = start;
        row.end = breakAt == std::string::npos ? text.size() : breakAt;
        const PARAFORMAT2& para = paras_[p];
        // An empty row is as tall as the format typing into it would use.
        row.labelFormat = row.start < text.size() ? runs_[row.start] : InsertionFormat();
        FontInfo tallest = FontOf(row.labelFormat);
        for (size_t i = row.start; i < row.end; ++i) {
            const FontInfo info = FontOf(runs_[i]);
            tallest.height = std::max(tallest.height, info.height);
            tallest.ascent = std::max(tallest.ascent, info.ascent);
        }
        row.top = top;
        row.height = tallest.height;
        row.ascent = tallest.ascent;
        const bool numbered = para.wNumbering >= PFN_ARABIC && para.wNumbering <= PFN_UCROMAN;
        counter = (numbered && counting == para.wNumbering) ? counter + 1 : std::max<unsigned>(para.wNumberingStart, 1);
        counting = numbered ? para.wNumbering : 0;
        if (para.wNumbering >= PFN_BULLET && para.wNumbering <= PFN_UCROMAN)
            row.label = NumberLabel(para, counter);
        int labelWidth = 0;
        if (!row.label.empty()) {
            HGDIOBJ old = SelectObject(hdc, FontOf(row.labelFormat).font);
            SIZE size{};
            GetTextExtentPoint32(hdc, row.label.c_str(), static_cast<int>(row.label.size()), &size);
            SelectObject(hdc, old);
            labelWidth = size.cx;
        }
        const int indent = TwipsToPixels(para.dxStartIndent);
        const int textIndent = row.label.empty() ? indent
                                                 : indent + std::max(TwipsToPixels(para.dxOffset), labelWidth + kLabelGap);
        const int width = Measure(hdc, row.start, row.end);
        const int right = area.right - area.left - TwipsToPixels(para.dxRightIndent);
        row.textX = textIndent;
        row.width = width;
        if (para.wAlignment == PFA_RIGHT)
            row.textX = std::max(textIndent, right - width);
        else if (para.wAlignment == PFA_CENTER)
            row.textX = std::max(textIndent, textIndent + (right - textIndent - width) / 2);
        row.labelX = row.textX - (textIndent - indent);
        rows_.push_back(row);
        top += row.height;
        start = breakAt == std::string::npos ? text.size() : breakAt + 2;
    }
    ReleaseDC(hwnd_, hdc);
}

size_t RichEditState::RowOf(size_t offset) const
{
    for (size_t i = 0; i + 1 < rows_.size(); ++i)
        if (offset <= rows_[i].end)
            return i;
    return rows_.empty() ? 0 : rows_.size() - 1;
}

int RichEditState::XOf(size_t offset)
{
    const Row& row = rows_[RowOf(offset)];
    HDC hdc = GetDC(hwnd_);
    const int x = row.textX + Measure(hdc, row.start, std::clamp(offset, row.start, row.end));
    ReleaseDC(hwnd_, hdc);
    return x;
}

size_t RichEditState::OffsetAtX(size_t rowIndex, int x)
{
    const Row& row = rows_[rowIndex];
    HDC hdc = GetDC(hwnd_);
    size_t best = row.start;
    int before = row.textX;
    for (size_t at = row.start; at < row.end;) {
        const size_t next = controls::NextCharOffset(Text(), at);
        const int after = row.textX + Measure(hdc, row.start, next);
        if (x < (before + after) / 2)
            break;
        best = next;
        before = after;
        at = next;
    }
    ReleaseDC(hwnd_, hdc);
    return best;
}

size_t RichEditState::OffsetFromPoint(POINT pt)
{
    const RECT area = TextArea();
    const int y = pt.y - area.top + (rows_.empty() ? 0 : rows_[firstRow_].top);
    size_t row = rows_.size() - 1;
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (y < rows_[i].top + rows_[i].height) {
            row = i;
            break;
        }
    }
    return OffsetAtX(row, pt.x - area.left + xOffset_);
}

void RichEditState::PlaceCaret()
{
    if (!focused_ || rows_.empty())
        return;
    const Row& row = rows_[RowOf(buffer_.Caret())];
    const RECT area = TextArea();
    SetCaretPos(area.left + XOf(buffer_.Caret()) - xOffset_, area.top + row.top - rows_[firstRow_].top);
}

void RichEditState::ScrollCaretIntoView()
{
    if (rows_.empty())
        return;
    firstRow_ = std::min(firstRow_, rows_.size() - 1);
    const RECT area = TextArea();
    const size_t caretRow = RowOf(buffer_.Caret());
    if (caretRow < firstRow_)
        firstRow_ = caretRow;
    while (firstRow_ < caretRow &&
           rows_[caretRow].top + rows_[caretRow].height - rows_[firstRow_].top > area.bottom - area.top)
        ++firstRow_;
    const int x = XOf(buffer_.Caret());
    const int width = area.right - area.left;
    if (x - xOffset_ < 0)
        xOffset_ = std::max(0, x - width / 3);
    else if (x - xOffset_ >= width)
        xOffset_ = x - width * 2 / 3;
}

void RichEditState::UpdateScrollBars()
{
    // Hiding a bar takes its style bit away, so the bars asked for at creation are remembered.
    const UINT hide = (Style() & ES_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
    if (scrollBars_ & WS_HSCROLL) {
        int widest = 0;
        for (const Row& row : rows_)
            widest = std::max(widest, row.textX + row.width);
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | hide;
        info.nMax = widest;
        info.nPage = static_cast<UINT>(std::max(1, static_cast<int>(TextArea().right - TextArea().left)));
        info.nPos = xOffset_;
        SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
    }
    if (!(scrollBars_ & WS_VSCROLL))
        return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | hide;
    info.nMax = static_cast<int>(rows_.size()) - 1;
    const RECT area = TextArea();
    const int rowHeight = rows_.empty() ? 1 : std::max(1, rows_[0].height);
    info.nPage = static_cast<UINT>(std::max(1, static_cast<int>((area.bottom - area.top) / rowHeight)));
    info.nPos = static_cast<int>(firstRow_);
    SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
}

// --- painting -------------------------------------------------------------------------------------

void RichEditState::DrawRow(HDC hdc, const Row& row, int y, int x0, bool showSelection)
{
    const std::string& text = Text();
    const size_t selStart = buffer_.SelStart();
    const size_t selEnd = buffer_.SelEnd();
    if (!row.label.empty()) {
        const FontInfo info = FontOf(row.labelFormat);
        HGDIOBJ old = SelectObject(hdc, info.font);
        const CHARFORMAT2A& cf = formats_[row.labelFormat];
        SetTextColor(hdc, (cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor);
        TextOut(hdc, x0 + row.labelX, y + row.ascent - info.ascent, row.label.c_str(), static_cast<int>(row.label.size()));
        SelectObject(hdc, old);
    }
    int x = x0 + row.textX;
    for (size_t from = row.start; from < row.end;) {
        // Pieces of one format, split where the selection starts and ends.
        const bool selected = showSelection && from >= selStart && from < selEnd;
        size_t to = from + 1;
        while (to < row.end && runs_[to] == runs_[from] && !(showSelection && (to == selStart || to == selEnd)))
            ++to;
        const FontInfo info = FontOf(runs_[from]);
        HGDIOBJ old = SelectObject(hdc, info.font);
        SIZE size{};
        GetTextExtentPoint32(hdc, text.c_str() + from, static_cast<int>(to - from), &size);
        const CHARFORMAT2A& cf = formats_[runs_[from]];
        COLORREF ink = (cf.dwEffects & CFE_AUTOCOLOR) ? GetSysColor(COLOR_WINDOWTEXT) : cf.crTextColor;
        if (!IsWindowEnabled(hwnd_))
            ink = GetSysColor(COLOR_GRAYTEXT);
        if (selected) {
            RECT band{x, y, x + size.cx, y + row.height};
            FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
            ink = GetSysColor(COLOR_HIGHLIGHTTEXT);
        } else if (!(cf.dwEffects & CFE_AUTOBACKCOLOR)) {
            RECT band{x, y, x + size.cx, y + row.height};
            HBRUSH brush = CreateSolidBrush(cf.crBackColor);
            FillRect(hdc, &band, brush);
            DeleteObject(brush);
        }
        SetTextColor(hdc, ink);
        const int baseline = y + row.ascent - info.ascent - TwipsToPixels(cf.yOffset);
        TextOut(hdc, x, baseline, text.c_str() + from, static_cast<int>(to - from));
        SelectObject(hdc, old);
        x += size.cx;
        from = to;
    }
}

void RichEditState::Paint(HDC hdc)
{
    RECT client{};
    GetClientRect(hwnd_, &client);
    const COLORREF back = background_ != CLR_NONE ? background_ : GetSysColor(COLOR_WINDOW);
    HBRUSH brush = CreateSolidBrush(back);
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    if (rows_.empty())
        return;
    const RECT area = TextArea();
    const int saved = SaveDC(hdc);
    IntersectClipRect(hdc, area.left, area.top, area.right, area.bottom);
    SetBkMode(hdc, TRANSPARENT);
    const bool showSelection =
        buffer_.HasSelection() && !hideSelection_ && (focused_ || (Style() & ES_NOHIDESEL));
    const int originY = area.top - rows_[firstRow_].top;
    for (size_t i = firstRow_; i < rows_.size(); ++i) {
        const int y = originY + rows_[i].top;
        if (y >= area.bottom)
            break;
        DrawRow(hdc, rows_[i], y, area.left - xOffset_, showSelection);
    }
    RestoreDC(hdc, saved);
}

// --- input ------------------------------------------------------------------------------------------

void RichEditState::MoveVertically(int rows, bool extend)
{
    const size_t row = RowOf(buffer_.Caret());
    if (desiredX_ < 0)
        desiredX_ = XOf(buffer_.Caret());
    const long target = std::clamp<long>(static_cast<long>(row) + rows, 0, static_cast<long>(rows_.size()) - 1);
    const int keep = desiredX_;
    MoveCaret(OffsetAtX(static_cast<size_t>(target), keep), extend);
    desiredX_ = keep;
}

void RichEditState::OnKeyDown(WPARAM vk)
{
    const bool shift = controls::IsKeyDown(VK_SHIFT);
    const bool ctrl = controls::IsKeyDown(VK_CONTROL);
    const size_t caret = buffer_.Caret();
    if (vk != VK_UP && vk != VK_DOWN && vk != VK_PRIOR && vk != VK_NEXT)
        desiredX_ = -1;
    const Row& row = rows_[RowOf(caret)];
    const int pageRows = std::max(1, static_cast<int>((TextArea().bottom - TextArea().top) / std::max(1, row.height)));
    switch (vk) {
    case VK_LEFT:
        if (buffer_.HasSelection() && !shift)
            return MoveCaret(buffer_.SelStart(), false);
        return MoveCaret(ctrl ? buffer_.PrevWord(caret) : buffer_.PrevChar(caret), shift);
    case VK_RIGHT:
        if (buffer_.HasSelection() && !shift)
            return MoveCaret(buffer_.SelEnd(), false);
        return MoveCaret(ctrl ? buffer_.NextWord(caret) : buffer_.NextChar(caret), shift);
    case VK_UP: return MoveVertically(-1, shift);
    case VK_DOWN: return MoveVertically(1, shift);
    case VK_PRIOR: return MoveVertically(-pageRows, shift);
    case VK_NEXT: return MoveVertically(pageRows, shift);
    case VK_HOME: return MoveCaret(ctrl ? 0 : row.start, shift);
    case VK_END: return MoveCaret(ctrl ? Text().size() : row.end, shift);
    case VK_DELETE:
        if (shift) {
            Copy();
            UserDelete(buffer_.SelStart(), buffer_.SelEnd());
        } else if (buffer_.HasSelection()) {
            UserDelete(buffer_.SelStart(), buffer_.SelEnd());
        } else {
            UserDelete(caret, buffer_.NextChar(caret));
        }
        return;
    case VK_INSERT:
        if (ctrl)
            Copy();
        else if (shift)
            Paste();
        return;
    default: break;
    }
    if (!ctrl)
        return;
    switch (vk) {
    case 'A': SetSelection(0, Text().size()); break;
    case 'C': Copy(); break;
    case 'X':
        Copy();
        UserDelete(buffer_.SelStart(), buffer_.SelEnd());
        break;
    case 'V': Paste(); break;
    case 'Z': Undo(); break;
    case 'Y': Redo(); break;
    default: break;
    }
}

void RichEditState::OnChar(WPARAM ch)
{
    if (ch == '\b') {
        if (buffer_.HasSelection())
            UserDelete(buffer_.SelStart(), buffer_.SelEnd());
        else
            UserDelete(buffer_.PrevChar(buffer_.Caret()), buffer_.Caret());
        return;
    }
    if (ch == '\r') {
        if (MultiLine())
            UserInsert("\r\n", Edit::Undoable);
        return;
    }
    if (ch != '\t' && (ch < 0x20 || ch == 0x7F))
        return;
    if (ch > 0xFF) {
        UserInsert(controls::EncodeUtf8(static_cast<unsigned>(ch)), Edit::Typing);
        return;
    }
    // Bytes of one UTF-8 character may come one message each.
    const unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x80) {
        pendingUtf8_.clear();
        UserInsert(std::string(1, static_cast<char>(byte)), Edit::Typing);
        return;
    }
    if (byte >= 0xC0)
        pendingUtf8_.clear();
    pendingUtf8_ += static_cast<char>(byte);
    const unsigned char lead = static_cast<unsigned char>(pendingUtf8_[0]);
    const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (pendingUtf8_.size() < need)
        return;
    std::string whole;
    whole.swap(pendingUtf8_);
    if (lead >= 0xC0)
        UserInsert(whole, Edit::Typing);
}

void RichEditState::OnButtonDown(POINT pt)
{
    SetFocus(hwnd_);
    const size_t at = OffsetFromPoint(pt);
    MoveCaret(at, controls::IsKeyDown(VK_SHIFT));
    selecting_ = true;
    SetCapture(hwnd_);
}

void RichEditState::ScrollTo(int firstRow)
{
    if (rows_.empty())
        return;
    firstRow_ = static_cast<size_t>(std::clamp(firstRow, 0, static_cast<int>(rows_.size()) - 1));
    UpdateScrollBars();
    PlaceCaret();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void RichEditState::OnVScroll(WPARAM wParam)
{
    const int first = static_cast<int>(firstRow_);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: return ScrollTo(first - 1);
    case SB_LINEDOWN: return ScrollTo(first + 1);
    case SB_PAGEUP: return ScrollTo(first - 10);
    case SB_PAGEDOWN: return ScrollTo(first + 10);
    case SB_TOP: return ScrollTo(0);
    case SB_BOTTOM: return ScrollTo(static_cast<int>(rows_.size()));
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return ScrollTo(static_cast<short>(HIWORD(wParam)));
    default: return;
    }
}

void RichEditState::OnHScroll(WPARAM wParam)
{
    const int page = std::max(1, static_cast<int>(TextArea().right - TextArea().left));
    int x = xOffset_;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT: x -= kScrollStep; break;
    case SB_LINERIGHT: x += kScrollStep; break;
    case SB_PAGELEFT: x -= page; break;
    case SB_PAGERIGHT: x += page; break;
    case SB_LEFT: x = 0; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: x = static_cast<short>(HIWORD(wParam)); break;
    default: return;
    }
    xOffset_ = std::max(0, x);
    UpdateScrollBars();
    PlaceCaret();
    InvalidateRect(hwnd_, nullptr, TRUE);
}

LRESULT RichEditState::DialogCode(LPARAM lParam) const
{
    const LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    if (!MultiLine())
        return code;
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (msg && msg->message == WM_KEYDOWN) {
        if (msg->wParam == VK_TAB || msg->wParam == VK_ESCAPE)
            return code;
        if (msg->wParam == VK_RETURN && !(Style() & ES_WANTRETURN))
            return code;
    }
    return code | DLGC_WANTALLKEYS;
}

// The window's font becomes the default format and the format of all the text.
void RichEditState::SetFont(HFONT font, bool redraw)
{
    font_ = font;
    LOGFONT lf{};
    if (!GetObject(controls::FontOrSystem(font), sizeof lf, &lf))
        return;
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET;
    CopyFace(cf.szFaceName, lf.lfFaceName);
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    cf.yHeight = std::abs(lf.lfHeight) * kTwipsPerInch / kPixelsPerInch;
    cf.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                   (lf.lfUnderline ? CFE_UNDERLINE : 0) | (lf.lfStrikeOut ? CFE_STRIKEOUT : 0);
    cf.bCharSet = lf.lfCharSet;
    for (UINT& run : runs_)
        run = Intern(MergeCharFormat(formats_[run], cf, true));
    defaultFormat_ = Intern(MergeCharFormat(formats_[defaultFormat_], cf, true));
    pendingFormat_.reset();
    Layout();
    if (redraw)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

// --- messages ---------------------------------------------------------------------------------------

LRESULT CopyOut(const std::string& text, char* buffer, size_t capacity)
{
    if (!buffer || capacity == 0)
        return 0;
    size_t count = std::min(text.size(), capacity - 1);
    count = controls::SnapToCharStart(text, count);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<LRESULT>(count);
}

LRESULT RichEditState::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = [&]() -> LRESULT {
        switch (message) {
        case WM_CREATE: {
            const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
            scrollBars_ = Style() & (WS_HSCROLL | WS_VSCROLL);
            ReplaceAll(cs && cs->lpszName ? cs->lpszName : "");
            Layout();
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            controls::PaintScope paint(hwnd_);
            Paint(paint.Dc());
            return 0;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_SIZE:
            Layout();
            ScrollCaretIntoView();
            UpdateScrollBars();
            PlaceCaret();
            return 0;
        case WM_SETFONT: SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0); return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_SETTEXT:
            ReplaceAll(reinterpret_cast<const char*>(lParam) ? reinterpret_cast<const char*>(lParam) : "");
            ForgetHistory();
            firstRow_ = 0;
            xOffset_ = 0;
            AfterTextChange();
            modified_ = false;
            return TRUE;
        case WM_GETTEXT: return CopyOut(Text(), reinterpret_cast<char*>(lParam), wParam);
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(Text().size());
        case WM_ENABLE: InvalidateRect(hwnd_, nullptr, TRUE); return 0;
        case WM_GETDLGCODE: return DialogCode(lParam);
        case WM_SETCURSOR:
            if (LOWORD(lParam) != HTCLIENT)
                return DefWindowProc(hwnd_, message, wParam, lParam);
            SetCursor(LoadCursor(nullptr, IDC_IBEAM));
            return TRUE;
        case WM_SETFOCUS: {
            focused_ = true;
            const int height = rows_.empty() ? 16 : rows_[RowOf(buffer_.Caret())].height;
            CreateCaret(hwnd_, nullptr, 1, height);
            PlaceCaret();
            ShowCaret(hwnd_);
            InvalidateRect(hwnd_, nullptr, TRUE);
            NotifyCommand(EN_SETFOCUS);
            return 0;
        }
        case WM_KILLFOCUS:
            focused_ = false;
            DestroyCaret();
            InvalidateRect(hwnd_, nullptr, TRUE);
            NotifyCommand(EN_KILLFOCUS);
            return 0;
        case WM_KEYDOWN: OnKeyDown(wParam); return 0;
        case WM_CHAR: OnChar(wParam); return 0;
        case WM_LBUTTONDOWN: OnButtonDown(controls::PointFromLParam(lParam)); return 0;
        case WM_LBUTTONDBLCLK: {
            const auto [from, to] = buffer_.WordAt(OffsetFromPoint(controls::PointFromLParam(lParam)));
            SetSelection(from, to);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (selecting_)
                MoveCaret(OffsetFromPoint(controls::PointFromLParam(lParam)), true);
            return 0;
        case WM_LBUTTONUP:
            if (selecting_) {
                selecting_ = false;
                ReleaseCapture();
            }
            return 0;
        case WM_CAPTURECHANGED: selecting_ = false; return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(static_cast<int>(firstRow_) - static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA * kWheelLines);
            return 0;
        case WM_VSCROLL: OnVScroll(wParam); return 0;
        case WM_HSCROLL: OnHScroll(wParam); return 0;
        case WM_CUT:
            Copy();
            UserDelete(buffer_.SelStart(), buffer_.SelEnd());
            return 0;
        case WM_COPY: Copy(); return 0;
        case WM_PASTE: Paste(); return 0;
        case WM_CLEAR: UserDelete(buffer_.SelStart(), buffer_.SelEnd()); return 0;
        case WM_UNDO:
        case EM_UNDO: return Undo() ? TRUE : FALSE;
        case EM_REDO: return Redo() ? TRUE : FALSE;
        case EM_CANUNDO: return undo_.empty() ? FALSE : TRUE;
        case EM_CANREDO: return redo_.empty() ? FALSE : TRUE;
        case EM_EMPTYUNDOBUFFER: ForgetHistory(); return 0;
        case EM_STOPGROUPTYPING: typingGroupOpen_ = false; return 0;
        case EM_SETUNDOLIMIT:
            undoLimit_ = static_cast<size_t>(wParam);
            while (undo_.size() > undoLimit_)
                undo_.erase(undo_.begin());
            if (undoLimit_ == 0)
                ForgetHistory();
            return static_cast<LRESULT>(undoLimit_);
        case EM_CANPASTE: return CanPaste(static_cast<UINT>(wParam));
        case EM_PASTESPECIAL:
            if (wParam == 0 || wParam == CF_TEXT || wParam == CF_OEMTEXT)
                Paste();
            return 0;
        case EM_GETSEL: {
            const DWORD start = static_cast<DWORD>(buffer_.SelStart());
            const DWORD end = static_cast<DWORD>(buffer_.SelEnd());
            if (wParam)
                *reinterpret_cast<DWORD*>(wParam) = start;
            if (lParam)
                *reinterpret_cast<DWORD*>(lParam) = end;
            return (start > 0xFFFF || end > 0xFFFF) ? -1 : MAKELONG(start, end);
        }
        case EM_SETSEL: {
            const long start = static_cast<long>(static_cast<int>(wParam));
            const long end = static_cast<long>(static_cast<int>(lParam));
            if (start < 0)
                SetSelection(buffer_.Caret(), buffer_.Caret());
            else
                SetSelection(static_cast<size_t>(start), end < 0 ? Text().size() : static_cast<size_t>(end));
            return 0;
        }
        case EM_EXGETSEL:
            if (auto* range = reinterpret_cast<CHARRANGE*>(lParam))
                *range = CHARRANGE{static_cast<LONG>(buffer_.SelStart()), static_cast<LONG>(buffer_.SelEnd())};
            return 0;
        case EM_EXSETSEL: {
            const auto* range = reinterpret_cast<const CHARRANGE*>(lParam);
            if (!range)
                return static_cast<LRESULT>(buffer_.SelEnd());
            if (range->cpMin < 0)
                SetSelection(buffer_.Caret(), buffer_.Caret());
            else
                SetSelection(static_cast<size_t>(range->cpMin),
                             range->cpMax < 0 ? Text().size() : static_cast<size_t>(range->cpMax));
            return static_cast<LRESULT>(buffer_.SelEnd());
        }
        case EM_GETSELTEXT: {
            auto* out = reinterpret_cast<char*>(lParam);
            if (!out)
                return 0;
            const std::string selected = buffer_.SelectedText();
            std::memcpy(out, selected.c_str(), selected.size() + 1);
            return static_cast<LRESULT>(selected.size());
        }
        case EM_GETTEXTRANGE: {
            auto* range = reinterpret_cast<TEXTRANGE*>(lParam);
            if (!range || !range->lpstrText)
                return 0;
            const size_t from = std::min<size_t>(static_cast<size_t>(std::max<LONG>(0, range->chrg.cpMin)), Text().size());
            const size_t to = range->chrg.cpMax < 0 ? Text().size()
                                                    : std::clamp<size_t>(static_cast<size_t>(range->chrg.cpMax), from, Text().size());
            const std::string piece = Text().substr(from, to - from);
            std::memcpy(range->lpstrText, piece.c_str(), piece.size() + 1);
            return static_cast<LRESULT>(piece.size());
        }
        case EM_SELECTIONTYPE: return buffer_.HasSelection() ? SEL_TEXT : SEL_EMPTY;
        case EM_HIDESELECTION:
            hideSelection_ = wParam != 0;
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        case EM_REPLACESEL: ProgramReplace(reinterpret_cast<const char*>(lParam), wParam != 0); return 0;
        case EM_GETLINECOUNT: return static_cast<LRESULT>(rows_.size());
        case EM_LINEINDEX: {
            const int line = static_cast<int>(wParam);
            const size_t row = line < 0 ? RowOf(buffer_.Caret()) : static_cast<size_t>(line);
            return row < rows_.size() ? static_cast<LRESULT>(rows_[row].start) : -1;
        }
        case EM_LINEFROMCHAR: {
            const int at = static_cast<int>(wParam);
            return static_cast<LRESULT>(RowOf(at < 0 ? buffer_.Caret() : static_cast<size_t>(at)));
        }
        case EM_EXLINEFROMCHAR: return static_cast<LRESULT>(RowOf(static_cast<size_t>(std::max<LPARAM>(0, lParam))));
        case EM_LINELENGTH: {
            const Row& row = rows_[RowOf(static_cast<int>(wParam) < 0 ? buffer_.Caret() : static_cast<size_t>(wParam))];
            return static_cast<LRESULT>(row.end - row.start);
        }
        case EM_SCROLLCARET: ScrollCaretIntoView(); UpdateScrollBars(); PlaceCaret(); return 0;
        case EM_POSFROMCHAR: {
            auto* point = reinterpret_cast<POINTL*>(wParam);
            if (!point || rows_.empty())
                return 0;
            const size_t at = std::min(static_cast<size_t>(std::max<LPARAM>(0, lParam)), Text().size());
            const RECT area = TextArea();
            point->x = area.left + XOf(at) - xOffset_;
            point->y = area.top + rows_[RowOf(at)].top - rows_[firstRow_].top;
            return 0;
        }
        case EM_CHARFROMPOS: {
            const auto* point = reinterpret_cast<const POINTL*>(lParam);
            if (!point || rows_.empty())
                return 0;
            return static_cast<LRESULT>(OffsetFromPoint(POINT{point->x, point->y}));
        }
        case EM_GETFIRSTVISIBLELINE: return static_cast<LRESULT>(firstRow_);
        case EM_LIMITTEXT: limit_ = wParam ? static_cast<size_t>(wParam) : kExDefaultLimit; return 0;
        case EM_EXLIMITTEXT: limit_ = lParam ? static_cast<size_t>(lParam) : kExDefaultLimit; return 0;
        case EM_GETLIMITTEXT: return static_cast<LRESULT>(limit_);
        case EM_GETMODIFY: return modified_ ? TRUE : FALSE;
        case EM_SETMODIFY: modified_ = wParam != 0; return 0;
        case EM_SETREADONLY: {
            const DWORD style = wParam ? (Style() | ES_READONLY) : (Style() & ~static_cast<DWORD>(ES_READONLY));
            SetWindowLong(hwnd_, GWL_STYLE, static_cast<LONG>(style));
            InvalidateRect(hwnd_, nullptr, TRUE);
            return TRUE;
        }
        case EM_SETEVENTMASK: {
            const DWORD old = eventMask_;
            eventMask_ = static_cast<DWORD>(lParam);
            return static_cast<LRESULT>(old);
        }
        case EM_GETEVENTMASK: return static_cast<LRESULT>(eventMask_);
        case EM_SETBKGNDCOLOR: {
            const COLORREF old = background_ != CLR_NONE ? background_ : GetSysColor(COLOR_WINDOW);
            background_ = wParam ? CLR_NONE : static_cast<COLORREF>(lParam);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return static_cast<LRESULT>(old);
        }
        case EM_SETCHARFORMAT: return ApplyCharFormat(wParam, reinterpret_cast<const CHARFORMAT*>(lParam)) ? TRUE : FALSE;
        case EM_GETCHARFORMAT: return ReadCharFormat(wParam, reinterpret_cast<CHARFORMAT*>(lParam));
        case EM_SETPARAFORMAT: return ApplyParaFormat(reinterpret_cast<const PARAFORMAT*>(lParam)) ? TRUE : FALSE;
        case EM_GETPARAFORMAT: return ReadParaFormat(reinterpret_cast<PARAFORMAT*>(lParam));
        default: return DefWindowProc(hwnd_, message, wParam, lParam);
        }
    }();
    if (IsWindow(hwnd_))
        NotifySelectionIfMoved();
    return result;
}

}  // namespace richedit_detail

LRESULT CALLBACK RichEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return tw::ObjectWindowProc<richedit_detail::RichEditState>("tw.richedit", hwnd, message, wParam, lParam);
}

}  // namespace tw::comctl
