#include "platform/comctl/dialogs/FileDialog.h"

#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <strings.h>

#include "platform/comctl/dialogs/DialogLayout.h"

namespace fs = std::filesystem;

namespace tw::comdlg {
namespace {

constexpr LPARAM kFdFolderItem = 1;

std::string FdTrim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool FdHasWildcard(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

// Copies into a caller's buffer of `size` bytes, cut at a whole UTF-8
// character; nothing when there is no room at all.
void FdCopyBounded(LPSTR buffer, DWORD size, const std::string& text)
{
    if (!buffer || size == 0)
        return;
    size_t length = std::min<size_t>(text.size(), size - 1u);
    while (length > 0 && length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        --length;
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

LPCDLGTEMPLATE FdLayout(DialogLayout& layout, bool save, bool hideReadOnly)
{
    constexpr DWORD tab = WS_VISIBLE | WS_TABSTOP;
    layout.Item("Static", "File &name:", stc3, WS_VISIBLE | SS_LEFT, 6, 6, 90, 9)
        .Item("Edit", "", edt1, tab | WS_GROUP | WS_BORDER | ES_AUTOHSCROLL, 6, 16, 268, 12)
        .Item("Static", "Look in:", stc4, WS_VISIBLE | SS_LEFT, 6, 33, 40, 9)
        .Item("Static", "", stc1, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, 48, 33, 226, 9)
        .Item("ListBox", "", lst1,
              tab | WS_GROUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 6, 44,
              268, 88)
        .Item("Static", save ? "Save as &type:" : "Files of &type:", stc2, WS_VISIBLE | SS_LEFT, 6, 138, 60, 9)
        .Item("ComboBox", "", cmb1, tab | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 68, 136, 206,
              80)
        .Item("Button", "&Read only", chx1, (hideReadOnly ? 0 : tab) | WS_GROUP | BS_AUTOCHECKBOX, 6, 154, 60, 12)
        .Item("Button", save ? "&Save" : "&Open", IDOK, tab | WS_GROUP | BS_DEFPUSHBUTTON, 176, 153, 46, 14)
        .Item("Button", "Cancel", IDCANCEL, tab | BS_PUSHBUTTON, 228, 153, 46, 14);
    return layout.Bytes();
}

std::string FdCaseKey(const std::string& name)
{
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return key;
}

}  // namespace

std::vector<FileDialog::Filter> FileDialog::ParseFilters(LPCSTR filters)
{
    std::vector<Filter> parsed;
    if (!filters)
        return parsed;
    for (const char* at = filters; *at;) {
        Filter filter;
        filter.name = at;
        at += filter.name.size() + 1;
        const std::string patterns = at;
        at += patterns.size() + 1;
        size_t start = 0;
        while (start <= patterns.size()) {
            const size_t end = std::min(patterns.find(';', start), patterns.size());
            const std::string one = FdTrim(patterns.substr(start, end - start));
            if (!one.empty())
                filter.patterns.push_back(one);
            start = end + 1;
        }
        parsed.push_back(std::move(filter));
        if (patterns.empty())
            break;  // a name without its pattern ends the list
    }
    return parsed;
}

bool FileDialog::Matches(const std::vector<std::string>& patterns, const std::string& name)
{
    if (patterns.empty())
        return true;
    for (const std::string& pattern : patterns) {
        // "*.*" means every file, with or without a dot.
        const std::string effective = pattern == "*.*" ? "*" : pattern;
        if (fnmatch(effective.c_str(), name.c_str(), FNM_CASEFOLD) == 0)
            return true;
    }
    return false;
}

std::string FileDialog::UsableDefaultExtension(LPCSTR defExt)
{
    if (!defExt)
        return {};
    std::string ext = defExt;
    if (ext.rfind("*.", 0) == 0)
        ext.erase(0, 2);
    else if (!ext.empty() && ext[0] == '.')
        ext.erase(0, 1);
    if (ext.empty() || FdHasWildcard(ext) || ext.find('/') != std::string::npos)
        return {};
    return ext;
}

BOOL FileDialog::Run(LPOPENFILENAME request, bool save)
{
    SetExtendedError(0);
    if (!Validate(request))
        return FALSE;
    tw::RegisterStandardControlClasses();
    State state;
    state.request = request;
    state.save = save;
    Prepare(state);
    DialogLayout layout(request->lpstrTitle ? request->lpstrTitle : (save ? "Save As" : "Open"), 280, 172);
    LPCDLGTEMPLATE bytes = FdLayout(layout, save, request->Flags & OFN_HIDEREADONLY);
    const INT_PTR result =
        DialogBoxIndirectParam(nullptr, bytes, request->hwndOwner, Proc, reinterpret_cast<LPARAM>(&state));
    if (result == -1) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return FALSE;
    }
    return result == IDOK && !state.chosen.empty();
}

bool FileDialog::Validate(const OPENFILENAME* request)
{
    if (!request) {
        SetExtendedError(CDERR_INITIALIZATION);
        return false;
    }
    if (request->lStructSize != sizeof(OPENFILENAME)) {
        SetExtendedError(CDERR_STRUCTSIZE);
        return false;
    }
    if (!request->lpstrFile || request->nMaxFile == 0) {
        SetExtendedError(CDERR_INITIALIZATION);
        return false;
    }
    if ((request->Flags & OFN_ENABLEHOOK) && !request->lpfnHook) {
        SetExtendedError(CDERR_NOHOOK);
        return false;
    }
    if (request->Flags & (OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) {
        SetExtendedError(CDERR_NOTEMPLATE);
        return false;
    }
    if (request->hwndOwner && !IsWindow(request->hwndOwner)) {
        SetExtendedError(CDERR_DIALOGFAILURE);
        return false;
    }
    return true;
}

void FileDialog::Prepare(State& state)
{
    const OPENFILENAME& request = *state.request;
    state.filters = ParseFilters(request.lpstrFilter);
    // The caller's buffer may lack its NUL: never read past its size.
    const fs::path given(std::string(request.lpstrFile, strnlen(request.lpstrFile, request.nMaxFile)));
    std::error_code ec;
    fs::path folder = fs::current_path(ec);
    if (request.lpstrInitialDir && fs::is_directory(request.lpstrInitialDir, ec))
        folder = request.lpstrInitialDir;
    else if (given.has_parent_path() && fs::is_directory(given.parent_path(), ec))
        folder = given.parent_path();
    state.folder = fs::absolute(folder, ec).lexically_normal();
    state.initialName = given.filename().string();
    if (FdHasWildcard(state.initialName)) {
        state.typedPatterns = {state.initialName};
        state.initialName.clear();
    }
}

void FileDialog::Initialise(HWND dialog, State& state)
{
    const OPENFILENAME& request = *state.request;
    HWND combo = GetDlgItem(dialog, cmb1);
    for (const Filter& filter : state.filters)
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.name.c_str()));
    if (!state.filters.empty()) {
        const DWORD index = std::clamp<DWORD>(request.nFilterIndex, 1, static_cast<DWORD>(state.filters.size()));
        SendMessage(combo, CB_SETCURSEL, index - 1, 0);
    }
    if (request.Flags & OFN_HIDEREADONLY)
        ShowWindow(GetDlgItem(dialog, chx1), SW_HIDE);
    CheckDlgButton(dialog, chx1, (request.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemText(dialog, edt1, state.initialName.c_str());
    Fill(dialog, state);
    HWND name = GetDlgItem(dialog, edt1);
    SetFocus(name);
    SendMessage(name, EM_SETSEL, 0, -1);
}

void FileDialog::Fill(HWND dialog, State& state)
{
    SetDlgItemText(dialog, stc1, state.folder.string().c_str());
    std::vector<std::string> folders;
    std::vector<std::string> files;
    const LRESULT filter = SendDlgItemMessage(dialog, cmb1, CB_GETCURSEL, 0, 0);
    const std::vector<std::string>& patterns =
        !state.typedPatterns.empty() || filter < 0 ? state.typedPatterns
                                                   : state.filters[static_cast<size_t>(filter)].patterns;
    std::error_code ec;
    for (fs::directory_iterator it(state.folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            folders.push_back(name);
        else if (Matches(patterns, name))
            files.push_back(name);
    }
    auto byName = [](const std::string& a, const std::string& b) { return FdCaseKey(a) < FdCaseKey(b); };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(files.begin(), files.end(), byName);
    if (state.folder.has_relative_path())
        folders.insert(folders.begin(), "..");
    HWND list = GetDlgItem(dialog, lst1);
    SendMessage(list, WM_SETREDRAW, FALSE, 0);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& folder : folders) {
        const std::string shown = "[" + folder + "]";
        const LRESULT at = SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        SendMessage(list, LB_SETITEMDATA, static_cast<WPARAM>(at), kFdFolderItem);
    }
    for (const std::string& file : files)
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(file.c_str()));
    SendMessage(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void FileDialog::EnterFolder(HWND dialog, State& state, const fs::path& folder)
{
    state.folder = folder.lexically_normal();
    if (state.folder.has_relative_path() && !state.folder.has_filename())
        state.folder = state.folder.parent_path();
    Fill(dialog, state);
}

bool FileDialog::OpenSelectedFolder(HWND dialog, State& state)
{
    HWND list = GetDlgItem(dialog, lst1);
    const LRESULT index = SendMessage(list, LB_GETCURSEL, 0, 0);
    if (index < 0 || SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) != kFdFolderItem)
        return false;
    std::string text(static_cast<size_t>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1, '\0');
    SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(strlen(text.c_str()));
    const std::string name = text.substr(1, text.size() - 2);
    EnterFolder(dialog, state, name == ".." ? state.folder.parent_path() : state.folder / name);
    SetDlgItemText(dialog, edt1, "");
    return true;
}

void FileDialog::Accept(HWND dialog, State& state)
{
    const std::string typed = FdTrim(ItemText(dialog, edt1));
    if (typed.empty()) {
        OpenSelectedFolder(dialog, state);
        return;
    }
    fs::path path = fs::path(typed).is_absolute() ? fs::path(typed) : state.folder / typed;
    path = path.lexically_normal();
    std::error_code ec;
    if (FdHasWildcard(typed)) {
        // A pattern filters the list, in the folder it names if any.
        if (path.has_parent_path() && fs::is_directory(path.parent_path(), ec))
            EnterFolder(dialog, state, path.parent_path());
        state.typedPatterns = {path.filename().string()};
        Fill(dialog, state);
        return;
    }
    if (fs::is_directory(path, ec)) {
        EnterFolder(dialog, state, path);
        SetDlgItemText(dialog, edt1, "");
        return;
    }
    const std::string ext = UsableDefaultExtension(state.request->lpstrDefExt);
    if (!ext.empty() && path.has_filename() && !path.has_extension()) {
        fs::path extended = path;
        extended += "." + ext;
        // An existing file named without the extension is opened as named.
        if (state.save || fs::exists(extended, ec) || !fs::exists(path, ec))
            path = extended;
    }
    if (!path.has_filename() || !Confirm(dialog, state, path)) {
        HWND name = GetDlgItem(dialog, edt1);
        SetFocus(name);
        SendMessage(name, EM_SETSEL, 0, -1);
        return;
    }
    state.chosen = path;
    const bool readOnly = IsDlgButtonChecked(dialog, chx1) == BST_CHECKED;
    const LRESULT filter = SendDlgItemMessage(dialog, cmb1, CB_GETCURSEL, 0, 0);
    if (!Deliver(*state.request, state, readOnly, filter < 0 ? 0 : static_cast<DWORD>(filter + 1)))
        state.chosen.clear();
    EndDialog(dialog, IDOK);
}

bool FileDialog::Confirm(HWND dialog, const State& state, const fs::path& path)
{
    const DWORD flags = state.request->Flags;
    char title[256] = {};
    GetWindowText(dialog, title, sizeof title);
    std::error_code ec;
    const bool folderExists = fs::is_directory(path.parent_path(), ec);
    const bool fileExists = fs::exists(path, ec);
    if (!folderExists && (flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST))) {
        const std::string text = path.parent_path().string() + "\nThe folder does not exist.\nCheck the path and try again.";
        MessageBox(dialog, text.c_str(), title, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (!fileExists && (flags & OFN_FILEMUSTEXIST)) {
        const std::string text = path.filename().string() + "\nFile not found.\nCheck the file name and try again.";
        MessageBox(dialog, text.c_str(), title, MB_OK | MB_ICONWARNING);
        return false;
    }
    if (state.save && fileExists && (flags & OFN_OVERWRITEPROMPT)) {
        const std::string text = path.filename().string() + " already exists.\nDo you want to replace it?";
        return MessageBox(dialog, text.c_str(), title, MB_YESNO | MB_ICONWARNING) == IDYES;
    }
    return true;
}

BOOL FileDialog::Deliver(OPENFILENAME& request, const State& state, bool readOnly, DWORD filterIndex)
{
    const std::string full = state.chosen.string();
    if (full.size() + 1 > request.nMaxFile) {
        // The size it would take, in the buffer's first two bytes.
        if (request.nMaxFile >= sizeof(WORD)) {
            const WORD needed = static_cast<WORD>(std::min<size_t>(full.size() + 1, 0xFFFF));
            std::memcpy(request.lpstrFile, &needed, sizeof needed);
        }
        SetExtendedError(FNERR_BUFFERTOOSMALL);
        return FALSE;
    }
    std::memcpy(request.lpstrFile, full.c_str(), full.size() + 1);
    const std::string name = state.chosen.filename().string();
    request.nFileOffset = static_cast<WORD>(full.size() - name.size());
    const size_t dot = name.rfind('.');
    request.nFileExtension = static_cast<WORD>(
        dot == std::string::npos || dot == 0 ? full.size() : request.nFileOffset + dot + 1);
    FdCopyBounded(request.lpstrFileTitle, request.nMaxFileTitle, name);
    if (filterIndex)
        request.nFilterIndex = filterIndex;
    request.Flags &= ~(OFN_READONLY | OFN_EXTENSIONDIFFERENT);
    if (readOnly)
        request.Flags |= OFN_READONLY;
    const std::string defExt = UsableDefaultExtension(request.lpstrDefExt);
    const std::string ext = dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot + 1);
    if (!defExt.empty() && strcasecmp(ext.c_str(), defExt.c_str()) != 0)
        request.Flags |= OFN_EXTENSIONDIFFERENT;
    return TRUE;
}

bool FileDialog::Command(HWND dialog, State& state, int id, int code)
{
    if (id == lst1 && code == LBN_SELCHANGE) {
        HWND list = GetDlgItem(dialog, lst1);
        const LRESULT index = SendMessage(list, LB_GETCURSEL, 0, 0);
        if (index >= 0 && SendMessage(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) != kFdFolderItem) {
            std::string text(static_cast<size_t>(SendMessage(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0)) + 1,
                             '\0');
            SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
            SetDlgItemText(dialog, edt1, text.c_str());
        }
        return true;
    }
    if (id == lst1 && code == LBN_DBLCLK) {
        if (!OpenSelectedFolder(dialog, state))
            Accept(dialog, state);
        return true;
    }
    if (id == cmb1 && code == CBN_SELCHANGE) {
        state.typedPatterns.clear();
        Fill(dialog, state);
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (id == IDOK) {
        // Enter on a folder in the list opens it; elsewhere it takes the name box.
        if (GetFocus() == GetDlgItem(dialog, lst1) && OpenSelectedFolder(dialog, state))
            return true;
        Accept(dialog, state);
        return true;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return true;
    }
    return false;
}

INT_PTR CALLBACK FileDialog::Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* state = reinterpret_cast<State*>(lParam);
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        Initialise(dialog, *state);
        if (state->request->Flags & OFN_ENABLEHOOK)
            state->request->lpfnHook(dialog, message, wParam, reinterpret_cast<LPARAM>(state->request));
        return FALSE;  // the focus is set
    }
    auto* state = reinterpret_cast<State*>(GetWindowLongPtr(dialog, DWLP_USER));
    if (!state)
        return FALSE;
    if ((state->request->Flags & OFN_ENABLEHOOK) &&
        HookHandled(state->request->lpfnHook, dialog, message, wParam, lParam))
        return TRUE;
    switch (message) {
    case WM_COMMAND:
        return Command(dialog, *state, LOWORD(wParam), HIWORD(wParam));
    case WM_ENTERIDLE:
        ForwardIdle(state->request->hwndOwner, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace tw::comdlg

BOOL GetOpenFileName(LPOPENFILENAME lpofn)
{
    return tw::comdlg::FileDialog::Run(lpofn, false);
}

BOOL GetSaveFileName(LPOPENFILENAME lpofn)
{
    return tw::comdlg::FileDialog::Run(lpofn, true);
}

short GetFileTitle(LPCSTR lpszFile, LPSTR Buf, WORD cchSize)
{
    if (!lpszFile || !*lpszFile)
        return -1;
    const std::string path = lpszFile;
    const size_t slash = path.find_last_of('/');
    const std::string title = slash == std::string::npos ? path : path.substr(slash + 1);
    if (title.empty() || title.find_first_of("*?") != std::string::npos)
        return -1;
    if (title.size() + 1 > 0x7FFF)
        return -1;
    const auto needed = static_cast<short>(title.size() + 1);
    if (!Buf || cchSize < static_cast<WORD>(needed))
        return needed;
    std::memcpy(Buf, title.c_str(), title.size() + 1);
    return 0;
}
