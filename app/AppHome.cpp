#include "app/AppHome.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace tw::app {

namespace fs = std::filesystem;

std::string HomeFolder()
{
    if (const char* home = std::getenv("TARNWICK_HOME"); home && *home)
        return home;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return (fs::path(data) / "tarnwick").string();
    if (const char* user = std::getenv("HOME"); user && *user)
        return (fs::path(user) / ".local" / "share" / "tarnwick").string();
    return {};
}

bool EnterHomeFolder(std::string& error)
{
    const std::string home = HomeFolder();
    if (home.empty()) {
        error = "no home folder: set TARNWICK_HOME or HOME";
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(home) / "data", ec);
    if (ec) {
        error = "cannot make " + home + ": " + ec.message();
        return false;
    }
    if (::chdir(home.c_str()) != 0) {
        error = "cannot enter " + home + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string AbsoluteArgument(const std::string& arg, const std::string& startDir)
{
    if (arg.empty() || arg[0] == '-' || fs::path(arg).is_absolute())
        return arg;
    return (fs::path(startDir) / arg).lexically_normal().string();
}

std::string ProgramFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

}  // namespace tw::app
