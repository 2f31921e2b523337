// Ids of the program's resources, shared by the scripts (*.rc) and the code.
// Ids the framework and the platform own keep their own names where they are
// defined; the values written here are the ones the resources use.
#ifndef TARNWICK_RESOURCES_RESOURCE_H
#define TARNWICK_RESOURCES_RESOURCE_H

// --- the application ---------------------------------------------------------
#define IDR_TARNWICK_DOCUMENT 130      // document templates: menu, accelerators, icon, document string
#define IDR_EDITOR_XML_SETTINGS 148    // the editor's default settings text, type "EDITOR_XML_SETTINGS"
#define IDS_APP_TITLE 57344
#define IDS_TOOLBAR_STANDARD 101
#define IDS_TOOLBAR_EDIT 103
#define IDS_TOOLBAR_SESSION 104
#define IDS_TOOLBAR_QUERY 105
#define IDS_TOOLBAR_CUSTOMIZE 106
#define IDS_TOOLBAR_NAVIGATE 61450
#define IDS_INDICATOR_POSITION 124
#define ID_GRID_MOVE_FIRST 40200
#define ID_GRID_MOVE_NEXT 40201
#define ID_GRID_MOVE_PREVIOUS 40202
#define ID_GRID_MOVE_LAST 40203
#define IDS_PREVIEW_PAGE_DESCRIPTION 61508
#define IDS_COMMAND_FAILED 61705
#define IDS_PAGE_UP_FAILED 61447
#define IDS_EDIT_FAILED 61449
#define IDS_INDICATOR_CONNECTIONS 120  // status pane ids: the string is the pane's first text and sizes it
#define IDS_INDICATOR_STATUS 121
#define IDS_INDICATOR_EXEC_TIME 122
#define IDS_INDICATOR_RESULT_INFO 123
#ifndef ID_INDICATOR_CAPS
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#endif

// --- the Windows dialog of the MDI frame ---------------------------------------
#define IDD_KTVP_WINDOWS 16927
#define IDC_KTVP_WINDOWS_LIST 16923
#define IDC_KTVP_WINDOWS_ACTIVATE 16920
#define IDC_KTVP_WINDOWS_SAVE 16921
#define IDC_KTVP_WINDOWS_CLOSE 16922
#define IDC_KTVP_WINDOWS_TILE_HORZ 16924
#define IDC_KTVP_WINDOWS_MINIMIZE 16925
#define IDC_KTVP_WINDOWS_CASCADE 16926
#define IDC_KTVP_WINDOWS_TILE_VERT 16928
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif

// --- the UI library's images -----------------------------------------------------
#define IDB_KTVP_MENU_IMAGES 16129
#define IDI_KTVP_DEFAULT_TOOL 16931

// --- the UI library's strings ----------------------------------------------------
#define IDS_KTVP_SELECT_IMAGE 16001
#define IDS_KTVP_ENTER_TEXT 16002
#define IDS_KTVP_CANNOT_CREATE_IMAGE 16003
#define IDS_KTVP_CANNOT_PASTE_IMAGE 16004
#define IDS_KTVP_MENU_BAR 16006
#define IDS_KTVP_CANNOT_CUSTOMIZE_MENUS 16007
#define IDS_KTVP_INTERNAL_ERROR 16008
#define IDS_KTVP_UNASSIGNED 16009
#define IDS_KTVP_CANNOT_COPY_IMAGE 16010
#define IDS_KTVP_NEW_MENU 16014
#define IDS_KTVP_TOOLS_NEW 16017
#define IDS_KTVP_TOOLS_DELETE 16020
#define IDS_KTVP_TOOLS_MOVE_UP 16021
#define IDS_KTVP_TOOLS_MOVE_DOWN 16022
#define IDS_KTVP_TOOLS_LIMIT 16024
#define IDS_KTVP_EXPAND 16025
#define IDS_KTVP_MORE_BUTTONS 16026
#define IDS_KTVP_TEAR_OFF 16028
#define IDS_KTVP_COLUMN_COMMAND 16029
#define IDS_KTVP_COLUMN_KEYS 16030
#define IDS_KTVP_COLUMN_DESCRIPTION 16031
#define IDS_KTVP_PANE_CLOSE 16032
#define IDS_KTVP_AUTO_HIDE 16033
#define IDS_KTVP_AUTO_HIDE_ALL 16036
#define IDS_KTVP_SCROLL_LEFT 16037
#define IDS_KTVP_SCROLL_RIGHT 16038
#define IDS_KTVP_CUSTOMIZE 16103
#define IDS_KTVP_UNTITLED 16104
#define IDS_KTVP_CLOSE 16105
#define IDS_KTVP_DEFAULT_MENU 16106
#define IDS_KTVP_DEFAULT_MENU_DESCRIPTION 16107
#define IDS_KTVP_DELETE_TOOLBAR 16109
#define IDS_KTVP_ALL_COMMANDS 16110
#define IDS_KTVP_RESET_TOOLBAR_PROMPT 16111
#define IDS_KTVP_RESET_ALL_PROMPT 16112
#define IDS_KTVP_RESET_MENU_PROMPT 16113
#define IDS_KTVP_DEFAULT 16114
#define IDS_KTVP_RESET_KEYBOARD_PROMPT 16115
#define IDS_KTVP_TOO_MANY_TOOLBARS 16243
#define IDS_KTVP_RESET_TOOLBAR 16300
#define IDS_KTVP_TOOLBAR_OPTIONS 17017
#define IDS_KTVP_ADD_REMOVE_BUTTONS 17018
#define IDS_KTVP_TASKS_PANE 17019
#define IDS_KTVP_TASKS_BACK 17020
#define IDS_KTVP_TASKS_FORWARD 17021
#define IDS_KTVP_TASKS_HOME 17022
#define IDS_KTVP_TASKS_CLOSE 17023
#define IDS_KTVP_OTHER_TASK_PANES 17024
#define IDS_KTVP_BUTTONS_ONE_ROW 17027
#define IDS_KTVP_BUTTONS_TWO_ROWS 17028
#define IDS_KTVP_SHOW_MORE_BUTTONS 17029
#define IDS_KTVP_SHOW_FEWER_BUTTONS 17030
#define IDS_KTVP_NAVIGATION_OPTIONS 17031

// Ids of the UI library's frames and looks.
// (end of frames ids)

// Ids of the UI library's docking panes.
#define IDC_KTVP_SPLIT_HORZ 30980  // over a vertical slider: sizes left and right
#define IDC_KTVP_SPLIT_VERT 30981  // over a horizontal slider: sizes top and bottom
// (end of docking ids)

// Ids of the UI library's command bars.
#define IDR_KTVP_POPUP_TOOLBAR 16102
#define IDC_KTVP_COPY 16004
#define IDC_KTVP_DELETE 16133
#define IDC_KTVP_MOVE 16146
#define ID_KTVP_TOOLBAR_RESET 16910
#define ID_KTVP_TOOLBAR_COPY_IMAGE 16911
#define ID_KTVP_TOOLBAR_DELETE 16912
#define ID_KTVP_TOOLBAR_APPEARANCE 16913
#define ID_KTVP_TOOLBAR_IMAGE 16914
#define ID_KTVP_TOOLBAR_TEXT 16915
#define ID_KTVP_TOOLBAR_IMAGE_AND_TEXT 16916
#define ID_KTVP_TOOLBAR_START_GROUP 16917
#define ID_KTVP_TOOLBAR_NEW_MENU 16918
#define IDS_KTVP_TOOLS_FILTER 16023
#define IDD_KTVP_MENU_PAGE 16134        // the customise sheet's Menu page
// (end of command bar ids)

// Ids of the UI library's controls.
#define IDC_KTVP_HAND 16919                // the hand over links, page buttons and tools
#define IDD_KTVP_NAVIGATION_OPTIONS 17004  // Navigation Pane Options
#define IDB_KTVP_CALENDAR_NAVIGATION 17014 // previous/next year and month, Today
#define IDB_KTVP_BROWSE_IMAGES 17032       // a browse edit's folder, open folder and calculator
#define IDC_KTVP_NAV_RESET 16613          // Navigation Pane Options: Reset
#define IDC_KTVP_NAV_LIST 16923           // Navigation Pane Options: the pages
#define IDC_KTVP_NAV_MOVE_UP 17025        // Navigation Pane Options: Move Up
#define IDC_KTVP_NAV_MOVE_DOWN 17026      // Navigation Pane Options: Move Down
#define IDD_KTVP_COLOR_DIALOG 16961        // Colors
#define IDD_KTVP_COLOR_PAGE_STANDARD 16962 // Colors: the Standard page
#define IDD_KTVP_COLOR_PAGE_CUSTOM 16963   // Colors: the Custom page
#define IDC_KTVP_COLOR_PLACEHOLDER 16970   // Colors: where the pages go
#define IDC_KTVP_COLOR_PREVIEW 16662       // Colors: new and current colour; Custom: the hue field
#define IDC_KTVP_COLOR_HEXAGONS 16974      // Standard: the honeycomb
#define IDC_KTVP_COLOR_GREYS 16972         // Standard: the grey strip
#define IDC_KTVP_COLOR_LUM_BAR 16973       // Custom: the lightness ramp
#define IDC_KTVP_COLOR_RED 16964
#define IDC_KTVP_COLOR_GREEN 16965
#define IDC_KTVP_COLOR_BLUE 16966
#define IDC_KTVP_COLOR_LUM 16967
#define IDC_KTVP_COLOR_SAT 16968
#define IDC_KTVP_COLOR_HUE 16969
#define IDC_KTVP_COLOR_HUE_SPIN 16976
#define IDC_KTVP_COLOR_SAT_SPIN 16977
#define IDC_KTVP_COLOR_LUM_SPIN 16978
#define IDC_KTVP_COLOR_RED_SPIN 16979
#define IDC_KTVP_COLOR_GREEN_SPIN 16980
#define IDC_KTVP_COLOR_BLUE_SPIN 16981
#define IDB_KTVP_FONT_TYPES 17000         // the font lists' device and TrueType marks
// (end of controls ids)


#endif
