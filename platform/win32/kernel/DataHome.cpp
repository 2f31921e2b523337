#include "platform/win32/kernel/DataHome.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tw {

std::string DataHome()
{
    if (const char* home = getenv("TARNWICK_HOME"); home && *home)
        return home;
    if (const char* xdg = getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::string(xdg) + "/tarnwick";
    if (const char* home = getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/tarnwick";
    return ".";
}

bool MakePrivateFolder(const std::string& path, std::string* error)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
        mkdir(path.substr(0, slash).c_str(), 0700);
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        if (error)
            *error = "Cannot create " + path + ": " + strerror(errno);
        return false;
    }
    struct stat st {};
    const int statError = stat(path.c_str(), &st) != 0 ? errno : (S_ISDIR(st.st_mode) ? 0 : ENOTDIR);
    if (statError) {
        if (error)
            *error = "Cannot create " + path + ": " + strerror(statError);
        return false;
    }
    if ((st.st_mode & 077) && chmod(path.c_str(), st.st_mode & 07700) != 0) {
        if (error)
            *error = "Cannot make " + path + " private: " + strerror(errno);
        return false;
    }
    return true;
}

}  // namespace tw
