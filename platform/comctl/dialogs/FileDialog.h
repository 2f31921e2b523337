// The open and save dialogs over the local file system: a folder's
// sub-folders and the files its chosen filter matches, a name box that
// takes names, paths, folders and patterns, and the checks the flags ask
// for before the full path goes back to the caller.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/comctl/dialogs/commdlg.h"

namespace tw::comdlg {

class FileDialog {
public:
    static BOOL Run(LPOPENFILENAME request, bool save);

    struct Filter {
        std::string name;
        std::vector<std::string> patterns;
    };
    // The caller's NUL-separated name and pattern pairs.
    static std::vector<Filter> ParseFilters(LPCSTR filters);
    // Whether a file name matches one of the patterns (letter case aside).
    static bool Matches(const std::vector<std::string>& patterns, const std::string& name);
    // The default extension to append ("txt" from "txt", ".txt" or "*.txt"),
    // or empty when there is none fit to append.
    static std::string UsableDefaultExtension(LPCSTR defExt);

private:
    struct State {
        OPENFILENAME* request = nullptr;
        bool save = false;
        std::filesystem::path folder;
        std::vector<Filter> filters;
        std::vector<std::string> typedPatterns;
        std::string initialName;
        std::filesystem::path chosen;
    };

    static bool Validate(const OPENFILENAME* request);
    static void Prepare(State& state);
    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static void Initialise(HWND dialog, State& state);
    static bool Command(HWND dialog, State& state, int id, int code);
    static void Fill(HWND dialog, State& state);
    static void EnterFolder(HWND dialog, State& state, const std::filesystem::path& folder);
    static bool OpenSelectedFolder(HWND dialog, State& state);
    static void Accept(HWND dialog, State& state);
    static bool Confirm(HWND dialog, const State& state, const std::filesystem::path& path);
    static BOOL Deliver(OPENFILENAME& request, const State& state, bool readOnly, DWORD filterIndex);
};

}  // namespace tw::comdlg
