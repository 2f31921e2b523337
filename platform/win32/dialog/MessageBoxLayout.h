// What a message box shows for its style, and where: the buttons of each
// button set, the answer Esc and the close box give, and the geometry of
// icon, text and a centred row of buttons around a measured text.
#pragma once

#include <vector>

#include "platform/win32/dialog/windlg.h"

namespace tw::dlg {

struct MessageBoxButton {
    int id;
    const char* text;
};

struct MessageBoxGeometry {
    SIZE client{};
    RECT icon{};  // empty without an icon
    RECT text{};
    std::vector<RECT> buttons;
};

class MessageBoxLayout {
public:
    static constexpr int kMargin = 11;
    static constexpr int kIconSize = 32;
    static constexpr int kIconGap = 11;
    static constexpr int kButtonGap = 6;
    static constexpr int kButtonMinWidth = 75;
    static constexpr int kButtonHeight = 23;
    static constexpr int kButtonPadding = 12;

    // Empty for a style that names no known button set.
    static std::vector<MessageBoxButton> ButtonsOf(UINT type);
    // What Esc answers: IDCANCEL where there is a Cancel button, IDOK for a
    // box with OK alone, 0 where the box must be answered with a button.
    static int EscapeAnswerOf(UINT type);
    // The index of the button that starts as default (MB_DEFBUTTONn, the
    // first when the style names one the set lacks).
    static size_t DefaultIndexOf(UINT type, size_t buttonCount);
    // The widest the text may wrap to on a screen of this width.
    static int TextWrapWidth(int screenWidth);
    static MessageBoxGeometry Arrange(SIZE textSize, bool hasIcon, size_t buttonCount, int buttonWidth);
};

}  // namespace tw::dlg
