// The customise sheet's Keyboard page: pick a command by category, pick
// whose shortcut table to edit (the frame's "Default" or a document kind's),
// see the command's keys, press a new combination in the capture edit and
// assign it, remove keys, or reset every table. Each change goes into force
// at once through the keyboard manager.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CListBox.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPKeyHelper.h"

class CFrameWnd;
class CMultiDocTemplate;
class CKtvPToolbarButton;

// The shortcut table of a document kind (pTemplate) or of the frame (NULL):
// its handle, an owned copy of its entries (NULL and 0 without a table) and
// the icon that stands for its owner (NULL when there is none).
HICON KtvPLoadAcceleratorOwner(CFrameWnd* pFrame, CMultiDocTemplate* pTemplate, HACCEL& hAccel, LPACCEL& lpAccel,
                               int& nAccelSize);
// Adds every multi-document template with a shortcut table to the combo (its
// new-file name, the template as data); with bOncePerResource templates of one
// resource give one item.
void KtvPAddAcceleratorTemplates(CComboBox& wndCombo, BOOL bOncePerResource);

// An edit that shows the key combination typed into it instead of text.
class CKtvPKeyAssignEdit : public CEdit {
public:
    CKtvPKeyAssignEdit();
    ~CKtvPKeyAssignEdit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Forgets the captured combination and empties the text.
    void ResetKey();
    BOOL IsKeyDefined() const { return m_bIsDefined; }
    const ACCEL* GetAccel() const { return &m_Accel; }
    ACCEL* GetAccel() { return &m_Accel; }

    ACCEL m_Accel{};
    BOOL m_bIsDefined = FALSE;   // a key other than a modifier was pressed
    CKtvPKeyHelper m_Helper;
    BOOL m_bIsFocused = FALSE;   // armed: the next key other than a modifier counts

protected:
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()

private:
    void ShowKey();
};

class CKtvPKeyboardPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPKeyboardPage)
public:
    explicit CKtvPKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKtvPKeyboardPage() override;

    void SetAllCommandsCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    // Controls and values, in declared order.
    CStatic m_wndAssignedToTitle;
    CKtvPKeyAssignEdit m_wndNewKey;
    CComboBox m_wndViewTypeList;
    CStatic m_wndViewIcon;
    CButton m_wndRemoveButton;
    CListBox m_wndCurrentKeysList;
    CListBox m_wndCommandsList;
    CComboBox m_wndCategoryList;
    CButton m_wndAssignButton;
    CString m_strDescription;
    CString m_strAssignedTo;

    HACCEL m_hAccelTable = nullptr;       // not owned
    LPACCEL m_lpAccel = nullptr;          // owned working copy of the table
    int m_nAccelSize = 0;
    CMultiDocTemplate* m_pSelTemplate = nullptr;  // NULL for the frame's table
    CKtvPToolbarButton* m_pSelButton = nullptr;
    LPACCEL m_pSelEntry = nullptr;
    CFrameWnd* m_pParentFrame = nullptr;
    BOOL m_bAutoSet = FALSE;
    CString m_strAllCategory;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSelchangeCategory();
    void OnSelchangeCommandsList();
    void OnSelchangeCurrentKeysList();
    void OnSelchangeViewType();
    void OnUpdateNewShortcutKey();
    void OnAssign();
    void OnRemove();
    void OnResetAll();
    DECLARE_MESSAGE_MAP()

    void AddKeyEntry(LPACCEL pEntry);
    void ReleaseTable();

private:
    // Puts the working copy into force; when the manager refuses it, the table
    // in force is shown again and the user is told why.
    BOOL ApplyTable();
    // A working copy of nSize entries; the current-keys items follow their entries.
    void ReplaceCopy(LPACCEL lpNew, int nNewSize, const int* pOldToNew);
};
