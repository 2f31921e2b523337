#include "ui/commandbars/KtvPToolbarCustomize.h"

#include "ui/frames/KtvPNotBuilt.h"

BOOL CKtvPToolbarCustomize::OnEditToolbarMenuImage(CWnd*, CBitmap&, int)
{
    KTVP_NOT_BUILT("CKtvPToolbarCustomize::OnEditToolbarMenuImage");
}
