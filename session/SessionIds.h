// Resource and control ids of the session-properties dialog and the
// select-database dialog (shared by resources/Session.rc and the code).
#pragma once

#define IDD_TW_CONNECT_PROPERTIES 164
#define IDC_TW_PROPS_FRAME 1054
#define IDC_TW_PROPS_RESET 1056

#define IDD_TW_SELECT_DATABASE 161
#define IDC_TW_SELECTDB_OK 1041
#define IDC_TW_SELECTDB_CANCEL 1042
#define IDC_TW_SELECTDB_LIST 1043
#define IDC_TW_SELECTDB_REPORT_FRAME 1044
#define IDC_TW_SELECTDB_REFRESH 1045

// The edit-mode view's toolbar: new row, save, delete, the four moves, Go To,
// the four exports and refresh.
#define IDR_TW_EDIT_MODE_BAR 141
