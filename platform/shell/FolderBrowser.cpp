#include "platform/shell/FolderBrowser.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/shell/ItemIdList.h"
#include "platform/shell/SystemImageList.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/resource/DialogTemplate.h"

namespace tw::shell {

namespace {

namespace fs = std::filesystem;

std::vector<BYTE> BrowseDialogTemplate()
{
    using tw::res::NameOrOrdinal;
    tw::res::DialogTemplate dialog;
    dialog.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    dialog.cx = 212;
    dialog.cy = 218;
    dialog.title = "Browse for Folder";
    dialog.pointSize = 8;
    dialog.typeface = "MS Shell Dlg";
    auto item = [&dialog](DWORD style, short x, short y, short cx, short cy, DWORD id, NameOrOrdinal cls,
                          const char* text) {
        tw::res::DialogItemTemplate control;
        control.style = WS_CHILD | WS_VISIBLE | style;
        control.x = x;
        control.y = y;
        control.cx = cx;
        control.cy = cy;
        control.id = id;
        control.windowClass = std::move(cls);
        control.title = NameOrOrdinal::FromText(text);
        dialog.items.push_back(std::move(control));
    };
    item(SS_LEFT, 7, 7, 198, 20, FolderBrowser::kTitleId, NameOrOrdinal::FromOrdinal(tw::res::kClassAtomStatic), "");
    item(WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 7, 30, 198,
         160, FolderBrowser::kTreeId, NameOrOrdinal::FromText(WC_TREEVIEW), "");
    item(BS_DEFPUSHBUTTON | WS_TABSTOP, 101, 197, 50, 14, IDOK, NameOrOrdinal::FromOrdinal(tw::res::kClassAtomButton),
         "OK");
    item(BS_PUSHBUTTON | WS_TABSTOP, 155, 197, 50, 14, IDCANCEL,
         NameOrOrdinal::FromOrdinal(tw::res::kClassAtomButton), "Cancel");
    return tw::res::WriteDialogTemplate(dialog);
}

// Visible subfolders, sorted by name; unreadable folders have none.
std::vector<std::string> SubfolderNames(const std::string& path)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.empty() && name[0] != '.' && it->is_directory(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ChildPath(const std::string& parent, const std::string& name)
{
    return parent == "/" ? "/" + name : parent + "/" + name;
}

}  // namespace

FolderBrowser::FolderBrowser(BROWSEINFO& info) : info_(info)
{
    if (auto root = PathFromItemIdList(info.pidlRoot))
        rootPath_ = *root;
}

LPITEMIDLIST FolderBrowser::Run()
{
    InitCommonControls();
    const auto dialogTemplate = BrowseDialogTemplate();
    const INT_PTR answer =
        DialogBoxIndirectParam(nullptr, reinterpret_cast<LPCDLGTEMPLATE>(dialogTemplate.data()), info_.hwndOwner,
                               DialogProc, reinterpret_cast<LPARAM>(this));
    if (answer != IDOK) {
        ILFree(chosen_);
        return nullptr;
    }
    return chosen_;
}

INT_PTR CALLBACK FolderBrowser::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<FolderBrowser*>(lParam);
        self->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<FolderBrowser*>(GetWindowLongPtr(dialog, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR FolderBrowser::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Initialise();
        return FALSE;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != UINT_PTR(kTreeId))
            return FALSE;
        SetWindowLongPtr(dialog_, DWLP_MSGRESULT, OnTreeNotify(*reinterpret_cast<const NMTREEVIEW*>(lParam)));
        return TRUE;
    }
    case BFFM_SETSELECTION:
        if (wParam)
            return SelectPath(reinterpret_cast<const char*>(lParam));
        if (auto path = PathFromItemIdList(reinterpret_cast<LPCITEMIDLIST>(lParam)))
            return SelectPath(*path);
        return FALSE;
    case BFFM_ENABLEOK:
        EnableWindow(GetDlgItem(dialog_, IDOK), lParam != 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            Choose();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog_, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void FolderBrowser::Initialise()
{
    tree_ = GetDlgItem(dialog_, kTreeId);
    SetDlgItemText(dialog_, kTitleId, info_.lpszTitle ? info_.lpszTitle : "");
    SendMessage(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(SystemImageList(true)));
    HTREEITEM root = AddFolder(TVI_ROOT, rootPath_, rootPath_);
    SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    SetFocus(tree_);
    TellCallback(BFFM_INITIALIZED, 0);
}

HTREEITEM FolderBrowser::AddFolder(HTREEITEM parent, const std::string& path, const std::string& label)
{
    paths_.push_back(path);
    TVINSERTSTRUCT insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(label.c_str());
    insert.item.lParam = LPARAM(paths_.size() - 1);
    insert.item.cChildren = SubfolderNames(path).empty() ? 0 : 1;
    insert.item.iImage = SystemIconFor(path, FILE_ATTRIBUTE_DIRECTORY, false, false);
    insert.item.iSelectedImage = SystemIconFor(path, FILE_ATTRIBUTE_DIRECTORY, true, false);
    return reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
}

// Children are read when a branch first opens, so the dialog never walks the whole disk.
void FolderBrowser::FillChildren(HTREEITEM item)
{
    if (SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)))
        return;
    const std::string path = PathOfItem(item);
    for (const auto& name : SubfolderNames(path))
        AddFolder(item, ChildPath(path, name), name);
}

LRESULT FolderBrowser::OnTreeNotify(const NMTREEVIEW& notify)
{
    switch (notify.hdr.code) {
    case TVN_ITEMEXPANDING:
        if ((notify.action & TVE_ACTIONMASK) == TVE_EXPAND)
            FillChildren(notify.itemNew.hItem);
        return FALSE;
    case TVN_SELCHANGED: {
        LPITEMIDLIST selected = ItemIdListFromPath(PathOfItem(notify.itemNew.hItem));
        TellCallback(BFFM_SELCHANGED, reinterpret_cast<LPARAM>(selected));
        ILFree(selected);
        return 0;
    }
    default:
        return 0;
    }
}

std::string FolderBrowser::PathOfItem(HTREEITEM item) const
{
    TVITEM query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    if (!item || !SendMessage(tree_, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(&query)))
        return {};
    const size_t index = size_t(query.lParam);
    return index < paths_.size() ? paths_[index] : std::string();
}

// Opens the branches from the root down to the folder and selects it.
bool FolderBrowser::SelectPath(const std::string& requested)
{
    std::string path = requested;
    std::replace(path.begin(), path.end(), '\\', '/');
    std::error_code ec;
    path = fs::weakly_canonical(fs::absolute(path, ec), ec).string();
    if (ec || !fs::is_directory(path, ec))
        return false;
    const fs::path relative = fs::path(path).lexically_relative(rootPath_);
    if (relative.empty() || *relative.begin() == "..")
        return false;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (const auto& part : relative) {
        if (part == ".")
            continue;
        SendMessage(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        FillChildren(item);
        HTREEITEM child = reinterpret_cast<HTREEITEM>(
            SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        const std::string wanted = ChildPath(PathOfItem(item), part.string());
        while (child && PathOfItem(child) != wanted)
            child = reinterpret_cast<HTREEITEM>(
                SendMessage(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
        if (!child)
            return false;
        item = child;
    }
    SendMessage(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessage(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    return true;
}

void FolderBrowser::TellCallback(UINT message, LPARAM lParam)
{
    if (info_.lpfn)
        info_.lpfn(dialog_, message, lParam, info_.lParam);
}

void FolderBrowser::Choose()
{
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessage(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
    const std::string path = PathOfItem(item);
    if (path.empty())
        return;
    ILFree(chosen_);
    chosen_ = ItemIdListFromPath(path);
    if (!chosen_)
        return;
    if (info_.pszDisplayName) {
        const std::string name = path == "/" ? path : fs::path(path).filename().string();
        const size_t length = std::min(name.size(), size_t(MAX_PATH - 1));
        std::memcpy(info_.pszDisplayName, name.data(), length);
        info_.pszDisplayName[length] = '\0';
    }
    info_.iImage = SystemIconFor(path, FILE_ATTRIBUTE_DIRECTORY, false, false);
    EndDialog(dialog_, IDOK);
}

}  // namespace tw::shell

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO lpbi)
{
    if (!lpbi)
        return nullptr;
    return tw::shell::FolderBrowser(*lpbi).Run();
}
