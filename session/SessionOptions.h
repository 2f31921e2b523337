// The seventeen session SET options a query window's session runs with, as
// the session-properties dialog shows and applies them. The main frame keeps
// the starting values; each query window keeps its own copy, made when it
// opens, that follows what was applied to its session.
#pragma once

#include "platform/mfc/CString.h"

class CMainFrame;

struct CSessionOptions {
    int m_Concat_Null_Yields_Null = 1;
    int m_Cursor_Close_ON_Commit = 0;
    int m_Quoted_Identifier = 1;
    int m_Arithabort = 1;
    int m_Nocount = 0;
    int m_Noexec = 0;
    int m_ParseOnly = 0;
    int m_RowCount = 99;
    int m_ANSI_Defaults = 1;
    int m_ANSI_NULL_DFLT_ON = 1;
    int m_ANSI_Nulls = 1;
    int m_ANSI_Padding = 1;
    int m_ANSI_Warnings = 1;
    int m_ShowPlan_Text = 0;
    int m_Statistics_IO = 0;
    int m_Statistics_Time = 0;
    int m_Implicit_Transactions = 0;

    // The main frame's starting values; the defaults above without a main frame.
    static CSessionOptions FromMainFrame(const CMainFrame* pMainFrame);
    // The record of the main window of this thread, or the defaults.
    static CSessionOptions OfMainWindow();

    bool operator==(const CSessionOptions& other) const;
    bool operator!=(const CSessionOptions& other) const { return !(*this == other); }
};

// One row of the dialog's grid: its name, group, SET fragment, help text and field.
struct CSessionOptionRow {
    const char* name;
    const char* group;
    const char* fragment;
    const char* help;
    int CSessionOptions::*field;
    bool isCount;  // RowCount: a number, not a switch
};

// The rows in grid order: the "Query Execution" group, then "SQL-92 Standard".
const CSessionOptionRow* SessionOptionRows(int* pnCount);

constexpr const char* kSessionGroupQuery = "Query Execution";
constexpr const char* kSessionGroupAnsi = "SQL-92 Standard";

// The SET text that takes a session from one record to another, in grid
// order, each changed option as its fragment and value word; SHOWPLAN_TEXT
// apart, since the server takes it only alone in its batch. Both are empty
// when nothing changed.
struct CSessionSetText {
    CString strOptions;
    CString strShowPlan;
};
CSessionSetText BuildSessionSetText(const CSessionOptions& from, const CSessionOptions& to);
