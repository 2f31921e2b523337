// The text of an edit control: UTF-8 bytes with a selection, the one-step
// undo the platform's edit keeps (undoing twice redoes), word and character
// steps that never stop inside a UTF-8 sequence or a line break, and the
// division into lines.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tw::controls {

struct EditLine {
    size_t start = 0;  // first byte
    size_t end = 0;    // one past the last byte shown (the break is not part of the line)
    size_t next = 0;   // start of the following line
};

class EditBuffer {
public:
    enum class UndoMode {
        Forget,  // the change cannot be undone, and nothing before it
        Record,  // the change is the one step undo reverts
        Typing,  // joins the previous step while typing goes on at its end
    };

    const std::string& Text() const { return text_; }
    size_t Length() const { return text_.size(); }

    // Replaces everything; the caret goes to the start and undo is forgotten.
    void SetText(std::string text);

    size_t Anchor() const { return anchor_; }
    size_t Caret() const { return caret_; }
    size_t SelStart() const { return std::min(anchor_, caret_); }
    size_t SelEnd() const { return std::max(anchor_, caret_); }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }
    // Both ends are moved onto character boundaries.
    void SetSelection(size_t anchor, size_t caret);

    // Replaces the selection; the caret ends after the new text.
    void ReplaceSelection(const std::string& with, UndoMode mode);
    void Replace(size_t from, size_t to, const std::string& with, UndoMode mode);

    bool CanUndo() const { return undo_.valid; }
    // Reverts the last step and keeps its reverse, so a second undo redoes it.
    bool Undo();
    void EmptyUndo() { undo_ = UndoStep{}; }

    // One character forward or back; a CR LF pair counts as one.
    size_t NextChar(size_t offset) const;
    size_t PrevChar(size_t offset) const;
    // The start of the next word, and of this or the previous word.
    size_t NextWord(size_t offset) const;
    size_t PrevWord(size_t offset) const;
    // The run of word (or punctuation, or blank) characters around an offset.
    std::pair<size_t, size_t> WordAt(size_t offset) const;

    size_t Snap(size_t offset) const;

    // Lines split at CR LF (or a lone LF); with a wrap width, long lines also
    // break after the last blank that fits, or inside a word longer than the width.
    using Measure = std::function<int(size_t start, size_t end)>;
    std::vector<EditLine> BreakLines(bool multiLine, int wrapWidth, const Measure& measure) const;

private:
    struct UndoStep {
        bool valid = false;
        size_t pos = 0;
        std::string removed;
        std::string inserted;
    };

    std::string text_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    UndoStep undo_;
};

}  // namespace tw::controls
