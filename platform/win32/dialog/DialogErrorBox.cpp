// The framework's error boxes shown as message boxes.
#include <cstdio>
#include <string>

#include "platform/win32/dialog/MessageBoxLayout.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::dlg::dialog_error_box_detail {

constexpr UINT kAppTitleId = 0xE000;

std::string PromptText(LPCTSTR text, UINT promptId)
{
    if (text)
        return text;
    std::string loaded;
    if (tw::LoadResourceString(tw::ProgramInstance(), promptId, loaded))
        return loaded;
    return "No error message is available.";
}

}  // namespace tw::dlg::dialog_error_box_detail

int tw::ShowFrameworkErrorBox(LPCTSTR text, UINT nType, UINT nIDPrompt)
{
    namespace d = tw::dlg::dialog_error_box_detail;
    const std::string shown = d::PromptText(text, nIDPrompt);
    // The framework's boxes carry the program's title where it has one.
    std::string title;
    const bool titled = tw::LoadResourceString(tw::ProgramInstance(), d::kAppTitleId, title);
    const int answer = MessageBox(GetActiveWindow(), shown.c_str(), titled ? title.c_str() : nullptr, nType);
    if (answer != 0)
        return answer;
    // No window can show it: say it on standard error and take the default.
    std::fprintf(stderr, "%s\n", shown.c_str());
    const auto buttons = tw::dlg::MessageBoxLayout::ButtonsOf(nType);
    return buttons.empty() ? IDOK
                           : buttons[tw::dlg::MessageBoxLayout::DefaultIndexOf(nType, buttons.size())].id;
}
