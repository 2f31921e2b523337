#include "tests/support/ui/KtvUiTestSetup.h"

#include "platform/mfc/CWinApp.h"
#include "platform/win32/resource/ResourceLoader.h"
#include "resources/TarnwickResources.h"
#include "ui/frames/KtvPGlobalData.h"

void KtvPrepareUiTest()
{
    static const bool registered = tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());
    (void)registered;
    if (AfxGetApp() == nullptr) {
        static CWinApp app("Tarnwick");
    }
    KtvInitGlobalData();
}
