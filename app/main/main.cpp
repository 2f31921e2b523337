// Tarnwick's entry point: finds the home folder, then hands the command line
// to the application object. Without a desktop the display layer says that
// one is needed and the program ends with code 1.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/TarnwickResources.h"
#include "app/AppHome.h"
#include "app/TarnwickApp.h"
#include "platform/display/Display.h"
#include "platform/mfc/CCommandLineInfo.h"
#include "platform/win32/resource/ResourceLoader.h"

CTarnwickApp theApp;

int main(int argc, char** argv)
{
    tw::display::Display::Instance();
    tw::RegisterResources(tw::ProgramInstance(), TarnwickResources());

    char cwd[4096];
    const std::string startDir = ::getcwd(cwd, sizeof(cwd)) ? cwd : ".";
    std::vector<std::string> args;
    for (int i = 1; i < argc; i++)
        args.push_back(tw::app::AbsoluteArgument(argv[i], startDir));
    std::vector<const char*> argp{argv[0]};
    for (const std::string& arg : args)
        argp.push_back(arg.c_str());

    std::string error;
    if (!tw::app::EnterHomeFolder(error)) {
        std::fprintf(stderr, "tarnwick: %s\n", error.c_str());
        return 1;
    }
    theApp.m_bStartupWindows = TRUE;
    CString cmdLine = tw::mfc::JoinCommandLine(static_cast<int>(argp.size()), argp.data());
    return AfxWinMain(tw::ProgramInstance(), nullptr, cmdLine.GetBuffer(), SW_SHOWMAXIMIZED);
}
