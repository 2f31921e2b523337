#include "platform/win32/controls/EditBuffer.h"

#include "platform/win32/controls/ControlSupport.h"

namespace tw::controls {

namespace edit_buffer_detail {

enum class CharKind { Blank, Break, Word, Punctuation };

CharKind KindAt(const std::string& text, size_t offset)
{
    const unsigned char c = static_cast<unsigned char>(text[offset]);
    if (c == '\r' || c == '\n')
        return CharKind::Break;
    if (c == ' ' || c == '\t')
        return CharKind::Blank;
    if (c >= 0x80 || c == '_' || (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z'))
        return CharKind::Word;
    return CharKind::Punctuation;
}

}  // namespace edit_buffer_detail

void EditBuffer::SetText(std::string text)
{
    text_ = std::move(text);
    anchor_ = caret_ = 0;
    undo_ = UndoStep{};
}

size_t EditBuffer::Snap(size_t offset) const
{
    offset = SnapToCharStart(text_, offset);
    // Never between the CR and LF of a line break.
    if (offset > 0 && offset < text_.size() && text_[offset] == '\n' && text_[offset - 1] == '\r')
        --offset;
    return offset;
}

void EditBuffer::SetSelection(size_t anchor, size_t caret)
{
    anchor_ = Snap(anchor);
    caret_ = Snap(caret);
}

void EditBuffer::ReplaceSelection(const std::string& with, UndoMode mode)
{
    Replace(SelStart(), SelEnd(), with, mode);
}

void EditBuffer::Replace(size_t from, size_t to, const std::string& with, UndoMode mode)
{
    from = std::min(from, text_.size());
    to = std::clamp(to, from, text_.size());
    const std::string removed = text_.substr(from, to - from);
    const bool joins = mode == UndoMode::Typing && undo_.valid && removed.empty() &&
                       from == undo_.pos + undo_.inserted.size();
    if (mode == UndoMode::Forget) {
        undo_ = UndoStep{};
    } else if (joins) {
        undo_.inserted += with;
    } else {
        undo_ = UndoStep{true, from, removed, with};
    }
    text_.replace(from, to - from, with);
    anchor_ = caret_ = from + with.size();
}

bool EditBuffer::Undo()
{
    if (!undo_.valid)
        return false;
    const UndoStep step = undo_;
    text_.replace(step.pos, step.inserted.size(), step.removed);
    undo_ = UndoStep{true, step.pos, step.inserted, step.removed};
    // The restored text comes back selected.
    anchor_ = step.pos;
    caret_ = step.pos + step.removed.size();
    return true;
}

size_t EditBuffer::NextChar(size_t offset) const
{
    if (offset >= text_.size())
        return text_.size();
    if (text_[offset] == '\r' && offset + 1 < text_.size() && text_[offset + 1] == '\n')
        return offset + 2;
    return NextCharOffset(text_, offset);
}

size_t EditBuffer::PrevChar(size_t offset) const
{
    if (offset == 0)
        return 0;
    offset = std::min(offset, text_.size());
    if (offset >= 2 && text_[offset - 1] == '\n' && text_[offset - 2] == '\r')
        return offset - 2;
    return PrevCharOffset(text_, offset);
}

size_t EditBuffer::NextWord(size_t offset) const
{
    using edit_buffer_detail::CharKind;
    using edit_buffer_detail::KindAt;
    if (offset >= text_.size())
        return text_.size();
    const CharKind first = KindAt(text_, offset);
    if (first == CharKind::Break)
        return NextChar(offset);
    if (first != CharKind::Blank) {
        while (offset < text_.size() && KindAt(text_, offset) == first)
            offset = NextChar(offset);
    }
    while (offset < text_.size() && KindAt(text_, offset) == CharKind::Blank)
        offset = NextChar(offset);
    return offset;
}

size_t EditBuffer::PrevWord(size_t offset) const
{
    using edit_buffer_detail::CharKind;
    using edit_buffer_detail::KindAt;
    offset = std::min(offset, text_.size());
    while (offset > 0 && KindAt(text_, PrevChar(offset)) == CharKind::Blank)
        offset = PrevChar(offset);
    if (offset == 0)
        return 0;
    const CharKind kind = KindAt(text_, PrevChar(offset));
    if (kind == CharKind::Break)
        return PrevChar(offset);
    while (offset > 0 && KindAt(text_, PrevChar(offset)) == kind)
        offset = PrevChar(offset);
    return offset;
}

std::pair<size_t, size_t> EditBuffer::WordAt(size_t offset) const
{
    using edit_buffer_detail::CharKind;
    using edit_buffer_detail::KindAt;
    offset = Snap(offset);
    if (offset >= text_.size() || KindAt(text_, offset) == CharKind::Break) {
        // At a line's end the word is the one just before.
        if (offset == 0 || KindAt(text_, PrevChar(offset)) == CharKind::Break)
            return {offset, offset};
        offset = PrevChar(offset);
    }
    const CharKind kind = KindAt(text_, offset);
    size_t start = offset;
    while (start > 0 && KindAt(text_, PrevChar(start)) == kind)
        start = PrevChar(start);
    size_t end = offset;
    while (end < text_.size() && KindAt(text_, end) == kind)
        end = NextChar(end);
    return {start, end};
}

std::vector<EditLine> EditBuffer::BreakLines(bool multiLine, int wrapWidth, const Measure& measure) const
{
    std::vector<EditLine> lines;
    if (!multiLine) {
        lines.push_back(EditLine{0, text_.size(), text_.size()});
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t hardEnd = text_.find('\n', start);
        size_t next = hardEnd == std::string::npos ? text_.size() : hardEnd + 1;
        if (hardEnd == std::string::npos)
            hardEnd = text_.size();
        else if (hardEnd > start && text_[hardEnd - 1] == '\r')
            --hardEnd;
        // Soft breaks inside this paragraph.
        while (wrapWidth > 0 && hardEnd > start && measure(start, hardEnd) > wrapWidth) {
            size_t fit = NextCharOffset(text_, start);
            while (fit < hardEnd && measure(start, NextCharOffset(text_, fit)) <= wrapWidth)
                fit = NextCharOffset(text_, fit);
            size_t cut = fit;
            for (size_t i = fit; i > start; --i) {
                if (text_[i - 1] == ' ' || text_[i - 1] == '\t') {
                    cut = i;
                    break;
                }
            }
            // Blanks after the cut stay at the end of this line.
            while (cut < hardEnd && text_[cut] == ' ')
                ++cut;
            lines.push_back(EditLine{start, cut, cut});
            start = cut;
        }
        lines.push_back(EditLine{start, hardEnd, next});
        if (next >= text_.size() && hardEnd == text_.size())
            break;
        start = next;
        if (start == text_.size()) {
            lines.push_back(EditLine{start, start, start});
            break;
        }
    }
    return lines;
}

}  // namespace tw::controls
