// The band layout of every library rebar in a frame, stored and restored as
// part of the workspace state.
#pragma once

#include "platform/win32/user/winuser.h"

class CFrameWnd;

class CKtvPRebarState {
public:
    static BOOL LoadRebarState(LPCTSTR lpszProfileName, CFrameWnd* pFrame);
    static BOOL SaveRebarState(LPCTSTR lpszProfileName, CFrameWnd* pFrame);

private:
    // One step of the walk over the frame's descendants; FALSE stops it.
    static BOOL CALLBACK LoadRebarStateProc(HWND hwnd, LPARAM lParam);
    static BOOL CALLBACK SaveRebarStateProc(HWND hwnd, LPARAM lParam);
};
