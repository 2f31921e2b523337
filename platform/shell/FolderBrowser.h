// The folder-browse dialog: a tree of the local file system's folders that
// fills in as branches open, with the caller's callback told when it is
// ready and whenever the selection moves.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/shell/shlobj.h"

namespace tw::shell {

class FolderBrowser {
public:
    explicit FolderBrowser(BROWSEINFO& info);

    // Runs the dialog modally; the chosen list, or null.
    LPITEMIDLIST Run();

    // Control ids of the dialog.
    static constexpr int kTitleId = 14146;
    static constexpr int kTreeId = 14145;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Initialise();
    LRESULT OnTreeNotify(const NMTREEVIEW& notify);
    HTREEITEM AddFolder(HTREEITEM parent, const std::string& path, const std::string& label);
    void FillChildren(HTREEITEM item);
    bool SelectPath(const std::string& path);
    std::string PathOfItem(HTREEITEM item) const;
    void TellCallback(UINT message, LPARAM lParam);
    void Choose();

    BROWSEINFO& info_;
    HWND dialog_ = nullptr;
    HWND tree_ = nullptr;
    std::string rootPath_ = "/";
    // Item lParams index this list.
    std::vector<std::string> paths_;
    LPITEMIDLIST chosen_ = nullptr;
};

}  // namespace tw::shell
