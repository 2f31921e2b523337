// The snippets kept under HKEY_CURRENT_USER while the program runs: one key
// per page under the Snippets key, one key per item under its page, and in
// each item key four values named after the item.
#pragma once

#include "platform/mfc/CString.h"

class CKtvPEditCtrl;
class CMDIFrameWnd;

namespace snippets {

constexpr const char* kRootKey = "Software\\Corvane\\Tarnwick\\Snippets";
constexpr const char* kOptSuffix = "---Item---Opt";
constexpr const char* kContentSuffix = "---Item---Content";
constexpr const char* kFileSuffix = "---Item---File";
constexpr const char* kCommentSuffix = "---Item---Comment";

CString PageKey(const CString& strPage);
CString ItemKey(const CString& strPage, const CString& strItem);

// What a double-click on the item inserts: its file path when it is a file
// item, else its content; the item's own name when that value is missing
// or empty (or the key is gone). The file itself is not read.
CString TextToInsert(const CString& strPage, const CString& strItem);

// The editor a snippet goes into: the editor of an active repository file
// window, or the editor of the active upper tab (Batch, Edit-Mode or the
// command console) of an active query window; null for anything else.
CKtvPEditCtrl* InsertionTarget(CMDIFrameWnd* pMainWnd);

// Inserts the text at the target's caret as one step the user can undo;
// FALSE when there is no target or the editor refused it.
BOOL InsertIntoActiveEditor(CMDIFrameWnd* pMainWnd, const CString& strText);

}  // namespace snippets
