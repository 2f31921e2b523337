// The framework's wrappers of the common controls, in one include.
#pragma once

#include "platform/comctl/RichEdit.h"
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDragListBox.h"
#include "platform/mfc/CHeaderCtrl.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CListCtrl.h"
#include "platform/mfc/CReBarCtrl.h"
#include "platform/mfc/CRichEditCtrl.h"
#include "platform/mfc/CSpinButtonCtrl.h"
#include "platform/mfc/CTabCtrl.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CTreeCtrl.h"
