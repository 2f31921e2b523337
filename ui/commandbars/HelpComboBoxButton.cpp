#include "ui/commandbars/HelpComboBoxButton.h"

#include "platform/mfc/CArchive.h"

IMPLEMENT_SERIAL(CHelpComboBoxButton, CKtvPToolbarComboBoxButton, 1)

CHelpComboBoxButton::CHelpComboBoxButton() = default;

CHelpComboBoxButton::CHelpComboBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth, LPCTSTR lpszPrompt)
    : CKtvPToolbarComboBoxButton(uiID, iImage, dwStyle, iWidth), m_strPrompt(lpszPrompt)
{
}

CHelpComboBoxButton::~CHelpComboBoxButton() = default;

void CHelpComboBoxButton::Serialize(CArchive& ar)
{
    CKtvPToolbarComboBoxButton::Serialize(ar);
    if (ar.IsStoring())
        ar << m_strPrompt;
    else
        ar >> m_strPrompt;
}

void CHelpComboBoxButton::CopyFrom(const CKtvPToolbarButton& src)
{
    CKtvPToolbarComboBoxButton::CopyFrom(src);
    m_strPrompt = static_cast<const CHelpComboBoxButton&>(src).m_strPrompt;
}
