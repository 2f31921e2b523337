#include "platform/win32/dialog/MessageBoxLayout.h"

#include <algorithm>

namespace tw::dlg {

std::vector<MessageBoxButton> MessageBoxLayout::ButtonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK:
        return {{IDOK, "OK"}};
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {};
    }
}

int MessageBoxLayout::EscapeAnswerOf(UINT type)
{
    const auto buttons = ButtonsOf(type);
    for (const MessageBoxButton& button : buttons) {
        if (button.id == IDCANCEL)
            return IDCANCEL;
    }
    return buttons.size() == 1 ? buttons.front().id : 0;
}

size_t MessageBoxLayout::DefaultIndexOf(UINT type, size_t buttonCount)
{
    const size_t index = (type & MB_DEFMASK) >> 8;
    return index < buttonCount ? index : 0;
}

int MessageBoxLayout::TextWrapWidth(int screenWidth)
{
    // Wide enough for a sentence or two per line, never wider than most of
    // the screen.
    return std::max(200, std::min(screenWidth * 5 / 8, 480));
}

MessageBoxGeometry MessageBoxLayout::Arrange(SIZE textSize, bool hasIcon, size_t buttonCount, int buttonWidth)
{
    MessageBoxGeometry g;
    const int iconSpace = hasIcon ? kIconSize + kIconGap : 0;
    if (hasIcon)
        g.icon = RECT{kMargin, kMargin, kMargin + kIconSize, kMargin + kIconSize};
    // Text shorter than the icon is centred beside it.
    const int textTop = hasIcon && textSize.cy < kIconSize ? kMargin + (kIconSize - textSize.cy) / 2 : kMargin;
    g.text = RECT{kMargin + iconSpace, textTop, kMargin + iconSpace + textSize.cx, textTop + textSize.cy};
    const int contentBottom = std::max<int>(g.text.bottom, hasIcon ? g.icon.bottom : 0);
    const int count = static_cast<int>(buttonCount);
    const int rowWidth = count * buttonWidth + std::max(count - 1, 0) * kButtonGap;
    g.client.cx = std::max<int>(g.text.right + kMargin, rowWidth + 2 * kMargin);
    const int rowTop = contentBottom + kMargin + 4;
    g.client.cy = rowTop + kButtonHeight + kMargin;
    int x = (g.client.cx - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        g.buttons.push_back(RECT{x, rowTop, x + buttonWidth, rowTop + kButtonHeight});
        x += buttonWidth + kButtonGap;
    }
    return g;
}

}  // namespace tw::dlg
