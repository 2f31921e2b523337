// Registration of the common control classes under the platform's names.
#include <mutex>

#include "platform/comctl/ControlClasses.h"
#include "platform/comctl/commctrl.h"

namespace tw {

void InitCommonControls()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (const comctl::ControlClass& cls : comctl::AllControlClasses()) {
            WNDCLASS wc{};
            wc.style = cls.style | CS_GLOBALCLASS;
            wc.lpfnWndProc = cls.proc;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.hbrBackground = cls.background;
            wc.lpszClassName = cls.name;
            RegisterClass(&wc);
        }
    });
}

}  // namespace tw

void InitCommonControls()
{
    tw::InitCommonControls();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    tw::InitCommonControls();
    return TRUE;
}
