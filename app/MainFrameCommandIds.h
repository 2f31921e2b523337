// The command ids the main frame handles itself, the panes its View menu
// shows and hides, and the addresses its Help menu opens.
#pragma once

#include "platform/win32/windef.h"

enum : UINT {
    ID_TW_DISCONNECT = 32841,
    ID_TW_DISCONNECT_ALL = 32842,
    ID_TW_VIEW_OBJECT_TREE = 32772,
    ID_TW_VIEW_TAB_MDI = 32773,
    ID_TW_VIEW_FULL_SCREEN = 32774,
    ID_TW_VIEW_OUTPUT = 32775,
    ID_TW_VIEW_SNIPPETS = 40267,
    ID_TW_VIEW_STANDARD_BAR = 59392,
    ID_TW_VIEW_EDIT_BAR = 32776,
    ID_TW_VIEW_RESULT_BAR = 32779,
    ID_TW_VIEW_USER_BAR_FIRST = 32793,
    ID_TW_VIEW_USER_BAR_LAST = 32802,
    ID_TW_WINDOWS_DIALOG = 32890,
    ID_TW_HELP_CONTENTS = 40131,
    ID_TW_HELP_FEEDBACK = 40133,
    ID_TW_HELP_NEWS = 40134,
    ID_TW_APP_ABOUT = 57664,
};

// The panes the View menu toggles, by control id. The Snippets pane has an id
// of its own; its command (40267) is the Project pane's id.
enum : UINT {
    IDW_TW_OBJECT_PANE = 32772,
    IDW_TW_OUTPUT_PANE = 32775,
    IDW_TW_SNIPPETS_PANE = 40270,
    // The floating bar that leaves full screen: an id no docked bar has.
    IDW_TW_FULL_SCREEN_BAR = 59399,
};

namespace tw::app {

// The product's pages on the web and its contact address.
inline constexpr const char* kProductPage = "https://tarnwick.corvane.example/";
inline constexpr const char* kFeedbackPage = "https://tarnwick.corvane.example/feedback";
inline constexpr const char* kNewsPage = "https://tarnwick.corvane.example/latest";
inline constexpr const char* kContactAddress = "tarnwick@corvane.example";
// The help pages, in the program's folder.
inline constexpr const char* kHelpIndex = "Help/index.htm";

}  // namespace tw::app
