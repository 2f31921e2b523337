// The framework's error boxes shown as message boxes.
#include <atomic>
#include <cstdio>
#include <string>

#include "platform/mfc/CException.h"
#include "platform/win32/dialog/MessageBoxLayout.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::dlg::dialog_error_box_detail {

constexpr UINT kAppTitleId = 0xE000;

// What the framework did before: the fallback when no box can be shown.
std::atomic<tw::ErrorBoxFunction> g_previous{nullptr};

int ShowAsMessageBox(LPCTSTR text, UINT nType, UINT nIDPrompt)
{
    std::string shown;
    if (text) {
        shown = text;
    } else if (!tw::LoadResourceString(tw::ProgramInstance(), nIDPrompt, shown)) {
        shown = "No error message is available.";
    }
    // The framework's boxes carry the program's title where it has one.
    std::string title;
    const bool titled = tw::LoadResourceString(tw::ProgramInstance(), kAppTitleId, title);
    const int answer = MessageBox(GetActiveWindow(), shown.c_str(), titled ? title.c_str() : nullptr, nType);
    if (answer != 0)
        return answer;
    if (tw::ErrorBoxFunction previous = g_previous.load())
        return previous(shown.c_str(), nType, nIDPrompt);
    // No window can show it: say it on standard error and take the default.
    std::fprintf(stderr, "%s\n", shown.c_str());
    const auto buttons = MessageBoxLayout::ButtonsOf(nType);
    return buttons.empty() ? IDOK : buttons[MessageBoxLayout::DefaultIndexOf(nType, buttons.size())].id;
}

}  // namespace tw::dlg::dialog_error_box_detail

void tw::InstallDialogErrorBox()
{
    namespace d = tw::dlg::dialog_error_box_detail;
    const tw::ErrorBoxFunction previous = tw::SetErrorBoxFunction(d::ShowAsMessageBox);
    if (previous != d::ShowAsMessageBox)
        d::g_previous = previous;
}
