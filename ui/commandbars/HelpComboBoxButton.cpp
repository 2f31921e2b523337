#include "ui/commandbars/HelpComboBoxButton.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CHelpComboBoxButton, CKtvPToolbarComboBoxButton, 1)

CHelpComboBoxButton::CHelpComboBoxButton() = default;

CHelpComboBoxButton::CHelpComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth, LPCTSTR lpszPrompt)
    : CKtvPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth), m_strPrompt(lpszPrompt)
{
}

CHelpComboBoxButton::~CHelpComboBoxButton() = default;

void CHelpComboBoxButton::Serialize(CArchive&) { KTVP_NOT_BUILT("CHelpComboBoxButton::Serialize"); }

void CHelpComboBoxButton::CopyFrom(const CKtvPToolbarButton&) { KTVP_NOT_BUILT("CHelpComboBoxButton::CopyFrom"); }
