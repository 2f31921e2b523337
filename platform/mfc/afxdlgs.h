// The framework's wrappers of the platform's common dialogs, property sheets and the
// shared-memory file that carries clipboard data.
#pragma once

#include "platform/mfc/CCommonDialog.h"
#include "platform/mfc/CFileDialog.h"
#include "platform/mfc/CFindReplaceDialog.h"
#include "platform/mfc/CColorDialog.h"
#include "platform/mfc/CPrintDialog.h"
#include "platform/mfc/CSharedFile.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CPropertySheet.h"
