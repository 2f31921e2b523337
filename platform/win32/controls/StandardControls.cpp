// Registration of the standard control classes.
#include <mutex>

#include "platform/win32/controls/ButtonControl.h"
#include "platform/win32/controls/ComboBoxControl.h"
#include "platform/win32/controls/ControlSupport.h"
#include "platform/win32/controls/EditControl.h"
#include "platform/win32/controls/ListBoxControl.h"
#include "platform/win32/controls/ScrollBarControl.h"
#include "platform/win32/controls/StaticControl.h"

namespace tw {

namespace standard_controls_detail {

void Register(const char* name, WNDPROC proc, UINT style, int cursor, HBRUSH background = nullptr)
{
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.style = style | CS_GLOBALCLASS;
    wc.lpfnWndProc = proc;
    wc.cbWndExtra = tw::controls::kStateBytes;
    wc.hCursor = LoadCursor(nullptr, MAKEINTRESOURCE(cursor));
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassEx(&wc);
}

void RegisterAll()
{
    using namespace tw::controls;
    constexpr int kArrow = 32512;
    Register(ButtonControl::kClassName, ButtonControl::Proc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
             kArrow);
    Register(StaticControl::kClassName, StaticControl::Proc, CS_DBLCLKS, kArrow);
    constexpr int kIBeam = 32513;
    Register(EditControl::kClassName, EditControl::Proc, CS_DBLCLKS, kIBeam);
    Register(ListBoxControl::kClassName, ListBoxControl::Proc, CS_DBLCLKS, kArrow);
    Register(ListBoxControl::kComboClassName, ListBoxControl::Proc, CS_DBLCLKS | CS_SAVEBITS, kArrow);
    Register(ComboBoxControl::kClassName, ComboBoxControl::Proc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kArrow);
    Register(ScrollBarControl::kClassName, ScrollBarControl::Proc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kArrow);
}

}  // namespace standard_controls_detail

void RegisterStandardControlClasses()
{
    static std::once_flag once;
    std::call_once(once, standard_controls_detail::RegisterAll);
}

}  // namespace tw
