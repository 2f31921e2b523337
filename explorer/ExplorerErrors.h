// How the object explorer tells the user that a server call failed: the COM
// error's description once, or the feedback request for anything else.
#pragma once

#include "platform/com/ComError.h"
#include "platform/mfc/CString.h"

// The string that names where feedback goes.
constexpr unsigned kExplorerFeedbackString = 48000;

// The error's description; "HRESULT: 0x%08lx" with its code when it has none.
CString ExplorerComErrorText(const _com_error& error);
// Shows ExplorerComErrorText in an OK box.
void ShowExplorerComError(const _com_error& error);
// "Error!Feedback to <the project>,please!" in an OK box.
void ShowExplorerFailure();
