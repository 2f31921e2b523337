// MessageBox as a modal dialog of ours: a caption ("Error" when none is
// given), an optional icon, the text wrapped at a readable width, and the
// style's buttons centred beneath, the default one focused.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/dialog/MessageBoxLayout.h"

namespace tw::dlg {

class MessageBoxDialog {
public:
    MessageBoxDialog(std::string text, UINT type);
    // The button chosen, or 0 when the box could not be shown.
    int Run(HWND owner, const char* caption);

private:
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    bool Initialize(HWND dialog);
    bool CreateControls(HWND dialog, const MessageBoxGeometry& geometry, HFONT font);
    void PlaceWindow(HWND dialog, SIZE client) const;
    SIZE MeasureText(HFONT font) const;
    int ButtonWidth(HFONT font) const;
    void Paint(HWND dialog) const;
    DWORD TextAlignment() const;
    bool Answer(HWND dialog, int id) const;

    std::string text_;
    UINT type_;
    std::vector<MessageBoxButton> buttons_;
    RECT iconRect_{};
};

}  // namespace tw::dlg
