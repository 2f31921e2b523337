// The whole framework as the program sees it: afx.h plus windows, message
// maps, command routing, threads, the application, drawing and menus.
#pragma once

#include "platform/mfc/afx.h"
#include "platform/mfc/afxmsg.h"
#include "platform/mfc/CButton.h"
#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CCheckListBox.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CScrollBar.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWinThread.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/dialog/windlg.h"
