// The in-place editor of an item label (tree and list views): an "Edit"
// child over the label that ends with Enter or losing focus (keeping the
// text) or Esc (dropping it), then reports once and goes away.
#pragma once

#include <functional>
#include <string>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class LabelEditor {
public:
    // Called once with the typed text, or nullptr when editing was cancelled.
    using EndHandler = std::function<void(const char* text)>;

    LabelEditor() = default;
    ~LabelEditor();
    LabelEditor(const LabelEditor&) = delete;
    LabelEditor& operator=(const LabelEditor&) = delete;

    HWND Begin(HWND owner, const RECT& rect, const std::string& text, HFONT font, EndHandler onEnd);
    // Ends an edit in progress; keep says whether the text counts.
    void End(bool keep);
    HWND Edit() const { return edit_; }
    bool Active() const { return edit_ != nullptr; }

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND edit_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    EndHandler onEnd_;
    bool ending_ = false;
};

}  // namespace tw::comctl
