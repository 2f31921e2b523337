// The property sheet: a dialog holding a tab control, one child dialog per
// page (made when the page is first shown) and the OK, Cancel, Apply and
// Help buttons, speaking PSN_ notifications to its pages.
#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"

struct _PSP {
    PROPSHEETPAGEA page{};
    std::vector<BYTE> templateCopy;  // a page given by template keeps its own copy
};

namespace tw::comctl {

class PropertySheet {
public:
    explicit PropertySheet(const PROPSHEETHEADER& header);
    ~PropertySheet();

    INT_PTR Run();

private:
    struct Page {
        HPROPSHEETPAGE handle = nullptr;
        bool owned = false;
        HWND window = nullptr;
        std::string title;
        SIZE size{};  // in dialog units, from its template
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    bool AddPage(HPROPSHEETPAGE handle, bool owned);
    bool RemovePage(int index);
    bool OnInitDialog();
    void Layout();
    RECT PageArea();
    bool CreatePageWindow(Page& page);
    // askToLeave FALSE: the page being left was asked already, or is going.
    bool SetCurSel(int index, bool askToLeave = true);
    void FocusFirstControl(HWND page);
    bool IsPageSwitchKey(const MSG& msg, int& step) const;
    LRESULT NotifyPage(HWND page, UINT code, LPARAM lParam = 0);
    void SetChanged(HWND page, bool changed);
    bool Apply(bool closing);
    void ShowRefusingPage(int index);
    void OnOk();
    void OnCancel();
    void End(INT_PTR result);

    PROPSHEETHEADER header_;
    std::vector<Page> pages_;
    HWND hwnd_ = nullptr;
    HWND tab_ = nullptr;
    int current_ = -1;
    int leaving_ = -1;  // the page asked to be left by the tab control, until the change is done
    int startPage_ = 0;
    bool started_ = false;  // its first page is up
    bool created_ = false;  // the window was made whole; a failed start leaves the object to its maker
    std::set<HWND> changed_;  // pages holding changes not applied yet
    bool applied_ = false;  // Apply went through once: the sheet reports changes saved
    std::vector<BYTE> sheetTemplate_;
};

}  // namespace tw::comctl
