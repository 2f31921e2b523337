#include "ui/commandbars/KtvPImageEditDlg.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"

BOOL CKtvPToolbarCustomize::OnEditToolbarMenuImage(CWnd* pWndParent, CBitmap& bitmap, int nBitsPerPixel)
{
    CKtvPImageEditDlg dlg(&bitmap, pWndParent, nBitsPerPixel);
    return dlg.DoModal() == IDOK;
}
