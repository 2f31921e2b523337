#include "explorer/ToolBoxBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPButton.h"
#include "ui/controls/KtvPOutlookWnd.h"

IMPLEMENT_DYNAMIC(CToolBoxBar, CKtvPToolBox)

BEGIN_MESSAGE_MAP(CToolBoxBar, CKtvPToolBox)
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {

// The strip of tool pictures, 16 pixels a picture.
constexpr UINT kToolBoxImages = 626;

}  // namespace

CToolBoxBar::CToolBoxBar() { CKtvPOutlookWnd::EnableAnimation(TRUE); }

CToolBoxBar::~CToolBoxBar() = default;

int CToolBoxBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPToolBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    AddToolsPage("Windows", kToolBoxImages, 16,
                 "Pointer\nLabel\nButton\nTextBox\nMainMenu\nCheckBox\nRadioButton\nGroupBox\nPictureBox\nPanel\n"
                 "DataGrid\nListBox\nCheckedListBox\nComboBox\nListView\nTreeView\nTabControl\nDateTimePicker\n"
                 "MonthCalendar\nHScrollBar\nVScrollBar\nTimer\nSplitter\nDomainUpDown\nNumericUpDown\nTrackBar\n"
                 "ProgressBar\nRichTextBox",
                 RUNTIME_CLASS(CKtvPToolBoxPage), RUNTIME_CLASS(CKtvPButton));
    AddToolsPage("Components", kToolBoxImages, 16, "Pointer\nDataSet\nOleDbDataAdapter\nOleDbConnection",
                 RUNTIME_CLASS(CKtvPToolBoxPage), RUNTIME_CLASS(CKtvPButton));
    AddToolsPage("Data", kToolBoxImages, 16, "Pointer\nFileSystemWatch\nEventLog\nDyrectoryEntry",
                 RUNTIME_CLASS(CKtvPToolBoxPage), RUNTIME_CLASS(CKtvPButton));
    return 0;
}
