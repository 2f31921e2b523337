// The framework's standard command, window and string ids.
#pragma once

// File and window commands
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_CLOSE 0xE102
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_FILE_PAGE_SETUP 0xE105
#define ID_FILE_PRINT_SETUP 0xE106
#define ID_FILE_PRINT 0xE107
#define ID_FILE_PRINT_DIRECT 0xE108
#define ID_FILE_PRINT_PREVIEW 0xE109
// The print preview's bar
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301  // one page or two
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306
// Printing strings and templates; the text in parentheses is used when the program has none.
#define AFX_IDS_PREVIEWPAGEDESC 0xF044    // "Page %u\nPages %u-%u\n"
#define AFX_IDS_ONEPAGE 0xF045            // "&One Page"
#define AFX_IDS_TWOPAGE 0xF046            // "&Two Page"
#define AFX_IDS_PRINTPAGENUM 0xF047       // "Page %u"
#define AFX_IDP_FAILED_TO_START_PRINT 0xF0B0  // "Could not start print job."
#define AFX_IDP_COMMAND_FAILURE 0xF109        // "Command failed."
#define AFX_IDD_PREVIEW_TOOLBAR 30722
#ifndef ID_FILE_PRINT_DIRECT
#define ID_FILE_PRINT_DIRECT 0xE108
#endif
#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE2 0xE111
#define ID_FILE_MRU_FILE3 0xE112
#define ID_FILE_MRU_FILE4 0xE113
#define ID_FILE_MRU_FILE5 0xE114
#define ID_FILE_MRU_FILE6 0xE115
#define ID_FILE_MRU_FILE7 0xE116
#define ID_FILE_MRU_FILE8 0xE117
#define ID_FILE_MRU_FILE9 0xE118
#define ID_FILE_MRU_FILE10 0xE119
#define ID_FILE_MRU_FILE11 0xE11A
#define ID_FILE_MRU_FILE12 0xE11B
#define ID_FILE_MRU_FILE13 0xE11C
#define ID_FILE_MRU_FILE14 0xE11D
#define ID_FILE_MRU_FILE15 0xE11E
#define ID_FILE_MRU_FILE16 0xE11F
#define ID_WINDOW_NEW 0xE130
#define ID_WINDOW_ARRANGE 0xE131
#define ID_WINDOW_CASCADE 0xE132
#define ID_WINDOW_TILE_HORZ 0xE133
#define ID_WINDOW_TILE_VERT 0xE134
#define ID_WINDOW_SPLIT 0xE135
#define ID_APP_EXIT 0xE141
#define ID_HELP_INDEX 0xE142
#define ID_HELP_FINDER 0xE143
#define ID_HELP_USING 0xE144
#define ID_CONTEXT_HELP 0xE145
#define ID_HELP 0xE146
#define ID_DEFAULT_HELP 0xE147
#define ID_NEXT_PANE 0xE150
#define ID_PREV_PANE 0xE151
// Status bar indicators: each pane's id names its string.
#define ID_INDICATOR_EXT 0xE700
#define ID_INDICATOR_CAPS 0xE701
#define ID_INDICATOR_NUM 0xE702
#define ID_INDICATOR_SCRL 0xE703
#define ID_INDICATOR_OVR 0xE704
#define ID_INDICATOR_REC 0xE705

// Help contexts: a base plus the command, resource, prompt, hit-test code or control id
#define HID_BASE_COMMAND 0x00010000UL
#define HID_BASE_RESOURCE 0x00020000UL
#define HID_BASE_PROMPT 0x00030000UL
#define HID_BASE_NCAREAS 0x00040000UL
#define HID_BASE_CONTROL 0x00050000UL

// Child windows of a frame
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800
#define AFX_IDW_STATUS_BAR 0xE801
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_REBAR 0xE804
#define AFX_IDW_DIALOGBAR 0xE805
// The View commands that show and hide the standard bars share the bars' ids.
#define ID_VIEW_TOOLBAR 0xE800
#define ID_VIEW_STATUS_BAR 0xE801
#define ID_VIEW_REBAR 0xE804
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900
#define AFX_IDW_PANE_LAST 0xE9FF
#define AFX_IDW_HSCROLL_FIRST 0xEA00
#define AFX_IDW_VSCROLL_FIRST 0xEA10
#define AFX_IDW_SIZE_BOX 0xEA20
#define AFX_IDW_PANE_SAVE 0xEA21
#define AFX_IDM_FIRST_MDICHILD 0xFF00

// Framework strings; the text in parentheses is used when the program has none.
#define AFX_IDS_UNTITLED 0xE00F                  // "Untitled"
#define AFX_IDP_ASK_TO_SAVE 0xF003               // "Save changes to %1?"
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF004
#define AFX_IDP_FAILED_TO_SAVE_DOC 0xF005
#define AFX_IDP_FAILED_TO_CREATE_DOC 0xF007
#define AFX_IDS_OPENFILE 0xF000           // "Open"
#define AFX_IDS_SAVEFILE 0xF001           // "Save As"
#define AFX_IDS_ALLFILTER 0xF002          // "All Files (*.*)"
// Prompts of the system commands: AFX_IDS_SCFIRST + ((command - 0xF000) >> 4).
#define AFX_IDS_SCFIRST 0xEF00
#define AFX_IDS_MDICHILD 0xEF1F
// The document-type chooser of File New; a program's own template replaces ours.
#define AFX_IDD_NEWTYPEDLG 30721
#define AFX_IDC_LISTBOX 100
