// The help combo box at the end of the menu bar: a drop-down combo whose empty
// edit shows a grey prompt. It is part of the menu bar, so customisation never
// edits it. It is stored with the bar's buttons, so its record is serialisable.
#pragma once

#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

class CHelpComboBoxButton : public CKtvPToolbarComboBoxButton {
    DECLARE_SERIAL(CHelpComboBoxButton)
public:
    CHelpComboBoxButton();
    CHelpComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWN, int iWidth = 0,
                        LPCTSTR lpszPrompt = nullptr);
    ~CHelpComboBoxButton() override;

    // --- overrides, in slot order ---------------------------------------------------------------
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKtvPToolbarButton& src) override;
    BOOL IsEditable() const override { return FALSE; }
    CString GetPrompt() const override { return m_strPrompt; }

    // Fields, in declared order.
    CString m_strPrompt;
};
