// Messages between a query window and the threads that run its batches.
#pragma once

#include "platform/win32/user/winuser.h"
// WM_CONSOLE_EXECUTE (WM_USER + 4104) comes from the console control.
#include "sqleditor/CustomerCommandEditCtrl.h"

enum : UINT {
    WM_BATCH_COMPLETED = WM_USER + 4097,
    WM_TEXT_BATCH_COMPLETED = WM_USER + 4098,
    WM_CANCEL_COMPLETED = WM_USER + 4099,
    WM_CREATE_RESULT_GRID = WM_USER + 4100,
    WM_SHOW_RESULT_GRID = WM_USER + 4101,
    WM_APPEND_MESSAGE = WM_USER + 4102,
    WM_DELETE_RESULT_GRIDS = WM_USER + 4105,
};

// Commands of the query window and its result views.
enum : UINT {
    ID_QUERY_EXECUTE = 32850,
    ID_QUERY_CANCEL = 32851,
    ID_QUERY_PARSE = 32852,
    ID_QUERY_PAUSE = 32853,
    ID_QUERY_SELECT_DATABASE = 32854,
    ID_QUERY_NEW_WINDOW = 57600,
    ID_TRANSACTION_COMMIT = 40272,
    ID_TRANSACTION_ROLLBACK = 40273,
    ID_TRANSACTION_BEGIN = 40274,
    ID_RESULT_FIRST = 40200,
    ID_RESULT_NEXT = 40201,
    ID_RESULT_PREVIOUS = 40202,
    ID_RESULT_LAST = 40203,
    ID_RESULT_GOTO = 40204,
    ID_RESULT_SAVE_HTML = 40205,
    ID_RESULT_SAVE_TEXT = 40206,
    ID_RESULT_SAVE_EXCEL = 40207,
    ID_RESULT_SAVE_XML = 40208,
};

// Status panes of a query window.
enum : UINT {
    ID_QUERY_PANE_STATUS = 121,
    ID_QUERY_PANE_EXEC_TIME = 122,
    ID_QUERY_PANE_RESULT_INFO = 123,
    ID_QUERY_PANE_LINE_COLUMN = 124,
};
