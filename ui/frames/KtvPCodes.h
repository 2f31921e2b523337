// Codes the library's frames, bars, buttons and controls share: bar alignment
// and docking styles, dock methods and statuses, caption-button hits, button
// styles and states, and the library's registered window messages.
#pragma once

#include "platform/mfc/afxbarcodes.h"
#include "platform/win32/user/winuser.h"

// --- Docking -------------------------------------------------------------------------------------

// What a bar allows (its docking style).
#define KTVP_CBRS_FLOAT 0x1
#define KTVP_CBRS_AUTOHIDE 0x2
#define KTVP_CBRS_RESIZE 0x4
#define KTVP_CBRS_CLOSE 0x8
#define KTVP_CBRS_AUTO_ROLLUP 0x10

// How a dragged bar docks.
enum KtvPDockingMode {
    KTVP_DT_UNDEFINED = 0,  // the library's default (KTVP_DT_STANDARD)
    KTVP_DT_IMMEDIATE = 1,
    KTVP_DT_STANDARD = 2,   // a drag outline follows the mouse
};

// DockToFrameWindow's flag: the bar docks after the bars already at that side.
#define KTVP_DT_DOCK_LAST 0x1

// How a bar came to be docked.
enum KtvPDockMethod {
    KTVP_DM_UNKNOWN = 0,
    KTVP_DM_MOUSE = 1,
    KTVP_DM_DBL_CLICK = 2,  // back to its recent place
    KTVP_DM_SHOW = 3,       // back from auto-hide
    KTVP_DM_RECT = 4,
    KTVP_DM_STANDARD = 5,   // at the drag outline or the cursor
};

// What docking a dragged bar at the cursor would do.
enum KtvPDockingStatus {
    KTVP_CS_NOTHING = 0,
    KTVP_CS_DOCK_IMMEDIATELY = 1,     // near a dock bar
    KTVP_CS_DELAY_DOCK = 2,           // at a side
    KTVP_CS_DELAY_DOCK_TO_TAB = 3,    // as a tab of another bar
};

// Hit ids of the caption buttons of docking bars and floating frames; they
// share one value space with the non-client hit codes the library uses.
enum CKtvPCaptionButtonHit {
    KTVP_HTAUTOHIDE_SECOND = 8,  // the second pin-like button of a floating frame
    KTVP_HTPIN = 9,              // auto-hide (pin)
    KTVP_HTCLOSE_BAR = 19,       // close of a docking bar
    KTVP_HTCLOSE_FRAME = 20,     // close of a floating frame
    KTVP_HTBACK = 23,            // Back of a floating tasks pane
    KTVP_HTFORWARD = 24,         // Forward of a floating tasks pane
    KTVP_HTMENU = 25,            // menu of a floating frame, pages menu of a floating tasks pane
};

// The caption-button bits of a floating frame.
#define KTVP_CAPTION_BTN_PIN 0x01
#define KTVP_CAPTION_BTN_CLOSE 0x02
#define KTVP_CAPTION_BTN_AUTOHIDE 0x04
#define KTVP_CAPTION_BTN_MENU 0x10

// --- Frames --------------------------------------------------------------------------------------

// --- Command bars --------------------------------------------------------------------------------

// The state a button is painted in.
enum ButtonState {
    ButtonsIsRegular = 0,
    ButtonsIsPressed = 1,
    ButtonsIsHighlighted = 2,
};

// A menu item that starts a new column, beside the platform's TBBS_ bits.
#define KTVP_TBBS_BREAK 0x20000000L

// --- Controls ------------------------------------------------------------------------------------

// --- Registered window messages ------------------------------------------------------------------
// Zero until KtvRegisterLibraryMessages runs (KtvInitGlobalData calls it); a
// message map entry over a zero id matches nothing.
extern UINT KTVPMSG_CHECKEMPTYMINIFRAME;
extern UINT KTVM_TOOLBARMENU;          // "KTVTOOLBAR_POPUPMENU"
extern UINT KTVM_CREATETOOLBAR;        // "KTVTOOLBAR_CREATE"
extern UINT KTVM_DELETETOOLBAR;        // "KTVTOOLBAR_DELETE"
extern UINT KTVM_CUSTOMIZETOOLBAR;     // "KTVTOOLBAR_CUSTOMIZE"
extern UINT KTVM_CUSTOMIZEHELP;        // "KTVTOOLBAR_CUSTOMIZEHELP"
extern UINT KTVM_RESETTOOLBAR;         // "KTVTOOLBAR_RESETTOOLBAR", wParam = the toolbar resource id
extern UINT KTVM_RESETMENU;            // "KTVTOOLBAR_RESETMENU"
extern UINT KTVM_SHOWREGULARMENU;      // "KTVTOOLBAR_SHOWREGULARMENU"
extern UINT KTVM_RESETKEYBOARD;        // "KTVTOOLBAR_RESETKEYBAORD" (the stored spelling)
extern UINT KTVM_RESETRPROMPT;         // "KTVTOOLBAR_RESETRPROMPT"
extern UINT KTVM_RESETCONTEXTMENU;     // "KTVTOOLBAR_RESETCONTEXTMENU"
extern UINT KTVM_WINDOW_HELP;          // "WINDOW_HELP"
// Controls: tab windows, property list, calendar, colour menu button, shell list, date-time.
extern UINT KTVM_ON_CHANGING_ACTIVE_TAB;  // a non-zero reply vetoes the switch
extern UINT KTVM_ONCHANGE_ACTIVE_TAB;
extern UINT KTVM_ON_MOVE_TAB;
extern UINT KTVM_ON_RENAME_TAB;           // a non-zero reply vetoes the rename
extern UINT KTVM_ON_HSCROLL;
extern UINT KTVM_PROPERTYCHANGED;
extern UINT KTVM_CALENDAR_ON_SELCHANGED;
extern UINT KTVM_GETDOCUMENTCOLORS;       // "KTVTOOLBAR__GETDOCUMENTCOLORS"
extern UINT KTVPM_CHANGE_CURRENT_FOLDER;
extern UINT KTVM_DATETIME_HOLDTIMER;      // "KTVDATETIME_HOLDTIMER"

// Registers every message above; safe to call again.
void KtvRegisterLibraryMessages();
