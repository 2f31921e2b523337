#include "session/DBListComboBox.h"

#include "ui/commandbars/KtvPCommandManager.h"

IMPLEMENT_SERIAL(CDBListComboBox, CKtvPToolbarComboBoxButton, 1)

namespace {

constexpr UINT kDBListCommand = 32873;
constexpr UINT kDBListImageCommand = 32854;

}  // namespace

CDBListComboBox::CDBListComboBox()
    : CKtvPToolbarComboBoxButton(kDBListCommand, GetCmdImage(kDBListImageCommand), CBS_DROPDOWNLIST)
{
}

BOOL CDBListComboBox::NotifyCommand(int iNotifyCode)
{
    const BOOL bBase = CKtvPToolbarComboBoxButton::NotifyCommand(iNotifyCode);
    if (iNotifyCode == CBN_SETFOCUS || iNotifyCode == CBN_KILLFOCUS)
        return TRUE;
    return bBase;
}
