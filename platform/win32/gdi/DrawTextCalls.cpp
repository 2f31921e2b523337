// DrawText: formatted text in a rectangle, with lines, word breaking, tabs,
// "&" prefixes, ellipses and alignment.
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32/gdi/TextDraw.h"
#include "platform/win32/gdi/windraw.h"

using tw::gdi::DrawCall;

namespace {

constexpr char kDrawTextEllipsis[] = "...";

struct TextLine {
    std::string text;
    std::vector<std::pair<size_t, size_t>> underlines;  // byte ranges
    bool shortened = false;
};

// Lays out in the DC's logical units, as the rectangle is given.
struct DrawTextLayout {
    const tw::gdi::LogicalFont& font;
    UINT format;
    int width;  // available width
    int tabPixels;

    int Width(std::string_view text) const
    {
        if (!(format & DT_EXPANDTABS) || text.find('\t') == std::string_view::npos)
            return font.Width(text);
        int total = 0;
        tw::gdi::LayOutTabs(font, text, 0, 0, 1, &tabPixels, &total);
        return total;
    }
};

size_t DrawTextNextChar(std::string_view text, size_t i)
{
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

// Takes the "&" prefixes out: "&&" is a literal "&", "&x" underlines x.
TextLine DrawTextStripPrefixes(std::string_view text, bool honour)
{
    TextLine line;
    if (!honour) {
        line.text = std::string(text);
        return line;
    }
    for (size_t i = 0; i < text.size();) {
        if (text[i] == '&' && i + 1 < text.size()) {
            if (text[i + 1] == '&') {
                line.text += '&';
                i += 2;
                continue;
            }
            const size_t next = DrawTextNextChar(text, i + 1);
            const size_t start = line.text.size();
            line.text.append(text.substr(i + 1, next - i - 1));
            line.underlines.emplace_back(start, line.text.size());
            i = next;
            continue;
        }
        if (text[i] == '&') {
            ++i;  // a lone trailing "&" shows nothing
            continue;
        }
        line.text += text[i++];
    }
    return line;
}

std::vector<std::string_view> DrawTextParagraphs(std::string_view text, bool singleLine)
{
    std::vector<std::string_view> paragraphs;
    if (singleLine) {
        paragraphs.push_back(text);
        return paragraphs;
    }
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        paragraphs.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    paragraphs.push_back(text.substr(start));
    return paragraphs;
}

// A line's byte sub-range with its underlines carried along.
TextLine DrawTextSlice(const TextLine& line, size_t from, size_t to)
{
    TextLine part;
    part.text = line.text.substr(from, to - from);
    for (auto [a, b] : line.underlines) {
        if (a >= from && b <= to)
            part.underlines.emplace_back(a - from, b - from);
    }
    return part;
}

// Breaks a line at spaces so each piece fits; a word wider than the whole
// width is broken between characters only for edit-control text.
std::vector<TextLine> DrawTextWrap(const TextLine& line, const DrawTextLayout& layout)
{
    std::vector<TextLine> out;
    const std::string& text = line.text;
    size_t start = 0;
    while (start < text.size() || out.empty()) {
        if (layout.Width(std::string_view(text).substr(start)) <= layout.width) {
            out.push_back(DrawTextSlice(line, start, text.size()));
            break;
        }
        size_t lastBreak = std::string::npos;  // end of the last word that fits
        size_t fitEnd = start;                 // end of the last character that fits
        for (size_t i = start; i < text.size(); i = DrawTextNextChar(text, i)) {
            const size_t next = DrawTextNextChar(text, i);
            if (layout.Width(std::string_view(text).substr(start, next - start)) > layout.width)
                break;
            fitEnd = next;
            if (text[i] == ' ' || text[i] == '\t')
                lastBreak = i;
        }
        if (fitEnd < text.size() && (text[fitEnd] == ' ' || text[fitEnd] == '\t'))
            lastBreak = fitEnd;
        size_t end;
        if (lastBreak != std::string::npos && lastBreak > start) {
            end = lastBreak;
        } else if (layout.format & DT_EDITCONTROL) {
            end = std::max(fitEnd, DrawTextNextChar(text, start));
        } else {
            // The word stays whole and runs past the edge.
            end = text.find_first_of(" \t", start);
            if (end == std::string::npos)
                end = text.size();
        }
        out.push_back(DrawTextSlice(line, start, end));
        start = end;
        while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
            ++start;
        if (start >= text.size())
            break;
    }
    return out;
}

// The longest start of `text` that, followed by `tail`, fits the width.
std::string DrawTextFitWithTail(std::string_view text, std::string_view tail, const DrawTextLayout& layout,
                                bool wordsOnly)
{
    size_t best = 0;
    for (size_t i = 0; i < text.size(); i = DrawTextNextChar(text, i)) {
        const size_t next = DrawTextNextChar(text, i);
        std::string candidate = std::string(text.substr(0, next)) + std::string(tail);
        if (layout.Width(candidate) > layout.width)
            break;
        if (!wordsOnly || next == text.size() || text[next] == ' ')
            best = next;
    }
    return std::string(text.substr(0, best)) + std::string(tail);
}

void DrawTextEllipsize(TextLine& line, const DrawTextLayout& layout)
{
    if (layout.Width(line.text) <= layout.width)
        return;
    const UINT f = layout.format;
    std::string shortened;
    if (f & DT_PATH_ELLIPSIS) {
        const size_t slash = line.text.find_last_of("\\/");
        const std::string last = slash == std::string::npos ? line.text : line.text.substr(slash);
        const std::string head = slash == std::string::npos ? std::string() : line.text.substr(0, slash);
        const std::string tail = std::string(kDrawTextEllipsis) + last;
        if (layout.Width(tail) <= layout.width)
            shortened = DrawTextFitWithTail(head, tail, layout, false);
        else if (f & DT_END_ELLIPSIS)
            shortened = DrawTextFitWithTail(tail, kDrawTextEllipsis, layout, false);
        else
            shortened = tail;
    } else if (f & DT_WORD_ELLIPSIS) {
        shortened = DrawTextFitWithTail(line.text, kDrawTextEllipsis, layout, true);
    } else {
        shortened = DrawTextFitWithTail(line.text, kDrawTextEllipsis, layout, false);
    }
    // Underlines past the cut go with the cut text.
    std::vector<std::pair<size_t, size_t>> kept;
    for (auto [a, b] : line.underlines)
        if (b <= shortened.size() && line.text.compare(a, b - a, shortened, a, b - a) == 0)
            kept.emplace_back(a, b);
    line.text = shortened;
    line.underlines = kept;
    line.shortened = true;
}

int DrawTextDownward(const tw::gdi::DeviceContext& dc)
{
    const bool flipped = (dc.state.windowExt.cy < 0) != (dc.state.viewportExt.cy < 0);
    return flipped ? -1 : 1;
}

int DrawTextImpl(HDC hdc, std::string_view text, LPRECT rc, UINT format, LPDRAWTEXTPARAMS params,
                 std::string* modified)
{
    DrawCall call(hdc);
    if (!call.Valid() || !rc)
        return 0;
    const tw::gdi::LogicalFont font(call.Dc());
    int tabChars = 8;
    if (format & DT_TABSTOP) {
        tabChars = int((format >> 8) & 0xFF);
        format &= ~UINT(0xFF00);
    }
    if (params && params->iTabLength > 0)
        tabChars = params->iTabLength;
    const int leftMargin = params ? params->iLeftMargin : 0;
    const int rightMargin = params ? params->iRightMargin : 0;
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    DrawTextLayout layout{font, format, int(rc->right - rc->left) - leftMargin - rightMargin,
                          std::max(1, tabChars * std::max(1, font.AveCharWidth()))};

    std::vector<TextLine> lines;
    for (std::string_view paragraph : DrawTextParagraphs(text, singleLine)) {
        TextLine line = DrawTextStripPrefixes(paragraph, !(format & DT_NOPREFIX));
        if (singleLine)
            line.text.erase(std::remove_if(line.text.begin(), line.text.end(),
                                           [](char c) { return c == '\r' || c == '\n'; }),
                            line.text.end());
        if (!(format & DT_EXPANDTABS))
            std::replace(line.text.begin(), line.text.end(), '\t', ' ');
        if ((format & DT_WORDBREAK) && !singleLine) {
            for (TextLine& piece : DrawTextWrap(line, layout))
                lines.push_back(std::move(piece));
        } else {
            lines.push_back(std::move(line));
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
        // The string's end, or a single line, gets the ellipsis.
        DrawTextEllipsize(lines.back(), layout);
        if (modified && (format & DT_MODIFYSTRING) && lines.back().shortened && lines.size() == 1)
            *modified = lines.back().text;
    }

    const int lineHeight = font.Height();
    // Lines go down the page: toward smaller logical y where the mode's y axis points up.
    const int down = DrawTextDownward(call.Dc());
    int count = int(lines.size());
    const int available = (rc->bottom - rc->top) * down;
    if ((format & DT_EDITCONTROL) && !singleLine && !(format & DT_CALCRECT)) {
        // A partly visible last line is left out (the first always shows).
        while (count > 1 && count * lineHeight > available)
            --count;
    }
    int widest = 0;
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        widths.push_back(layout.Width(lines[i].text));
        widest = std::max(widest, widths.back());
    }
    const int textHeight = count * lineHeight;
    int top = rc->top;
    if (singleLine && (format & DT_VCENTER))
        top = rc->top + down * ((available - lineHeight) / 2);
    else if (singleLine && (format & DT_BOTTOM))
        top = rc->bottom - down * lineHeight;
    const int result =
        singleLine && (format & (DT_VCENTER | DT_BOTTOM)) ? (top - rc->top) * down + lineHeight : textHeight;

    if (format & DT_CALCRECT) {
        rc->right = rc->left + widest + leftMargin + rightMargin;
        rc->bottom = rc->top + down * textHeight;
        if (params)
            params->uiLengthDrawn = UINT(text.size());
        return result;
    }
    if (params)
        params->uiLengthDrawn = UINT(text.size());
    if (!call.CanPaint())
        return result;

    tw::gdi::TextRunOptions run;
    run.align = TA_LEFT | TA_TOP;
    const RECT clip = *rc;
    if (!(format & DT_NOCLIP))
        run.clipRect = &clip;
    auto& dc = call.Dc();
    for (int i = 0; i < count; ++i) {
        const TextLine& line = lines[i];
        int x = rc->left + leftMargin;
        if (format & DT_CENTER)
            x = rc->left + leftMargin + (layout.width - widths[i]) / 2;
        else if (format & DT_RIGHT)
            x = rc->right - rightMargin - widths[i];
        const int y = top + down * i * lineHeight;
        std::vector<tw::gdi::TabbedPiece> pieces;
        if (format & DT_EXPANDTABS)
            pieces = tw::gdi::LayOutTabs(font, line.text, x, x, 1, &layout.tabPixels, nullptr);
        else
            pieces.push_back(tw::gdi::TabbedPiece{line.text, 0});
        if (!(format & DT_PREFIXONLY)) {
            for (const auto& piece : pieces)
                tw::gdi::DrawTextRun(call, x + piece.x, y, piece.text, run);
        }
        if (format & DT_HIDEPREFIX)
            continue;
        for (auto [a, b] : line.underlines) {
            const int from = x + layout.Width(std::string_view(line.text).substr(0, a));
            const int to = x + layout.Width(std::string_view(line.text).substr(0, b));
            // The bar sits a pixel under the baseline and is a pixel thick in every mode.
            RECT bar = dc.RectToSurface(from, y, to, y);
            bar.top += font.Device().ascent + 1;
            bar.bottom = bar.top + 1;
            if (run.clipRect) {
                const RECT limit = dc.RectToSurface(clip.left, clip.top, clip.right, clip.bottom);
                bar = tw::gdi::RectIntersection(bar, limit);
            }
            call.Changed(tw::gdi::PaintRectRop3(call.Target(), bar, dc.PaintOfColor(dc.state.textColor), PATCOPY));
        }
    }
    return result;
}

}  // namespace

int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    if (!lpchText)
        return 0;
    const size_t length = cchText < 0 ? std::strlen(lpchText) : size_t(cchText);
    // The text is the caller's constant: DT_MODIFYSTRING takes effect through DrawTextEx.
    return DrawTextImpl(hdc, std::string_view(lpchText, length), lprc, format, nullptr, nullptr);
}

int DrawTextEx(HDC hdc, LPSTR lpchText, int cchText, LPRECT lprc, UINT format, LPDRAWTEXTPARAMS lpdtp)
{
    if (!lpchText)
        return 0;
    if (lpdtp && lpdtp->cbSize != sizeof(DRAWTEXTPARAMS))
        return 0;
    const size_t length = cchText < 0 ? std::strlen(lpchText) : size_t(cchText);
    std::string modified;
    const int result = DrawTextImpl(hdc, std::string_view(lpchText, length), lprc, format, lpdtp, &modified);
    if (!modified.empty()) {
        // Written back only where it fits the caller's text, so a buffer
        // without the four spare characters is never overrun.
        if (modified.size() <= length) {
            std::memcpy(lpchText, modified.data(), modified.size());
            if (cchText < 0 || modified.size() < length)
                lpchText[modified.size()] = 0;
        }
    }
    return result;
}
