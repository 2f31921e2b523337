// The program's own current-database box: a toolbar combo box that also
// tells its toolbar's owner when it gains or loses the focus. Registered
// for dynamic creation so that a saved toolbar layout naming it restores.
#pragma once

#include "ui/commandbars/KtvPToolbarComboBoxButton.h"

class CDBListComboBox : public CKtvPToolbarComboBoxButton {
    DECLARE_SERIAL(CDBListComboBox)
public:
    CDBListComboBox();

    BOOL NotifyCommand(int iNotifyCode) override;
};
