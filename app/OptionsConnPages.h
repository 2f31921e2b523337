// The connection option pages. The sheet makes and destroys them with itself
// but never adds them: they are plain pages on their templates.
#pragma once

#include "ui/controls/KtvPPropertySheet.h"

enum : UINT {
    IDD_TW_OPTIONS_CONN_GENERAL = 210,
    IDD_TW_OPTIONS_CONN_THREAD = 211,
    IDD_TW_OPTIONS_CONN_ADVANCE = 207,
    IDD_TW_OPTIONS_CONN_ANSI = 208,
};

class COptionsConnGeneralPage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsConnGeneralPage)
public:
    COptionsConnGeneralPage() : CKtvPPropertyPage(IDD_TW_OPTIONS_CONN_GENERAL) {}
};

class COptionsConnThreadPage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsConnThreadPage)
public:
    COptionsConnThreadPage() : CKtvPPropertyPage(IDD_TW_OPTIONS_CONN_THREAD) {}
};

class COptionsConnAdvancePage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsConnAdvancePage)
public:
    COptionsConnAdvancePage() : CKtvPPropertyPage(IDD_TW_OPTIONS_CONN_ADVANCE) {}
};

class COptionsConnAnsiPage : public CKtvPPropertyPage {
    DECLARE_DYNCREATE(COptionsConnAnsiPage)
public:
    COptionsConnAnsiPage() : CKtvPPropertyPage(IDD_TW_OPTIONS_CONN_ANSI) {}
};
