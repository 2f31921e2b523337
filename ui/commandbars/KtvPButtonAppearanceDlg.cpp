#include "ui/commandbars/KtvPButtonAppearanceDlg.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPImageEditDlg.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/frames/KtvPGlobalData.h"

BEGIN_MESSAGE_MAP(CKtvPButtonAppearanceDlg, CDialog)
    ON_BN_CLICKED(IDC_KTVP_APP_IMAGE_ONLY, OnImageOnly)
    ON_BN_CLICKED(IDC_KTVP_APP_TEXT_ONLY, OnTextOnly)
    ON_BN_CLICKED(IDC_KTVP_APP_IMAGE_TEXT, OnImageAndText)
    ON_BN_CLICKED(IDC_KTVP_APP_IMAGE_LIST, OnImageList)
    ON_BN_CLICKED(IDC_KTVP_APP_NEW, OnNewImage)
    ON_BN_CLICKED(IDC_KTVP_APP_EDIT, OnEditImage)
    ON_BN_CLICKED(IDC_KTVP_APP_USER_IMAGE, OnUserImage)
    ON_BN_CLICKED(IDC_KTVP_APP_DEFAULT_IMAGE, OnDefaultImage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// An image drawn in the current system colours, put back into the standard
// colours the strip keeps, so it follows later colour changes and saves as drawn.
void AppearanceToStandardColors(CBitmap& bitmap, CSize size)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* pOld = dc.SelectObject(&bitmap);
    for (int x = 0; x < size.cx; x++) {
        for (int y = 0; y < size.cy; y++) {
            const COLORREF color = dc.GetPixel(x, y);
            if (color != CLR_INVALID)
                dc.SetPixel(x, y, CKtvPToolBarImages::MapFromSysColor(color, FALSE));
        }
    }
    dc.SelectObject(pOld);
}

// A screen-compatible bitmap of the strip's image size; says why when it cannot be made.
BOOL AppearanceCreateImage(CBitmap& bitmap, CSize size, UINT uiError)
{
    CClientDC dcScreen(nullptr);
    if (bitmap.CreateCompatibleBitmap(&dcScreen, size.cx, size.cy))
        return TRUE;
    CString strError;
    strError.LoadString(uiError);
    AfxMessageBox(strError);
    return FALSE;
}

}  // namespace

void CKtvPButtonAppearanceDlg::BeginImageChanges()
{
    if (m_bImagesChanged)
        return;
    m_pImages->CopyTo(m_imagesWork);
    m_bImagesChanged = TRUE;
}

CKtvPButtonAppearanceDlg::CKtvPButtonAppearanceDlg(CKtvPToolbarButton* pButton, CKtvPToolBarImages* pImages,
                                                   CWnd* pParent, int iStartImage, BOOL bMenuMode)
    : CDialog(IDD_KTVP_BUTTON_APPEARANCE, pParent),
      m_pButton(pButton),
      m_pImages(pImages),
      m_iStartImage(iStartImage),
      m_bMenuMode(bMenuMode)
{
    if (g_pUserToolsManager != nullptr)
        m_pUserTool = g_pUserToolsManager->FindTool(m_pButton->m_nID);
    if (m_pButton->m_bUserImage)
        m_bUserButton = TRUE;
    else if (m_pUserTool != nullptr)
        m_bUserButton = FALSE;
    else
        m_bUserButton = DefaultImage() < 0;
    m_iSelImage = m_pButton->m_bUserImage ? m_pButton->m_iUserImage : m_pButton->m_iImage;
    m_bImage = m_pButton->m_bImageShown;
    if (m_bMenuMode && GetCmdMgr() != nullptr && GetCmdMgr()->IsMenuItemWithoutImage(m_pButton->m_nID))
        m_bImage = FALSE;
    m_bText = m_bMenuMode || m_pButton->m_bTextBelow ? TRUE : m_pButton->m_bTextShown;
}

CKtvPButtonAppearanceDlg::~CKtvPButtonAppearanceDlg()
{
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
}

int CKtvPButtonAppearanceDlg::DefaultImage() const
{
    int iImage = -1;
    if (!CKtvPToolBar::m_DefaultImages.Lookup(m_pButton->m_nID, iImage))
        return -1;
    return iImage;
}

CKtvPToolBarImages* CKtvPButtonAppearanceDlg::ShownImages()
{
    return m_bImagesChanged ? &m_imagesWork : m_pImages;
}

void CKtvPButtonAppearanceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_APP_IMAGE_LIST, m_wndButtonList);
    DDX_Control(pDX, IDC_KTVP_APP_TEXT, m_wndButtonText);
    DDX_Text(pDX, IDC_KTVP_APP_TEXT, m_strButtonText);
    DDX_Text(pDX, IDC_KTVP_APP_DESCRIPTION, m_strButtonDescr);
}

BOOL CKtvPButtonAppearanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_pImages != nullptr) {
        RebuildImageList();
        m_wndButtonList.SelectButton(m_iSelImage);
    } else {
        m_wndButtonList.EnableWindow(FALSE);
        GetDlgItem(IDC_KTVP_APP_USER_IMAGE)->EnableWindow(FALSE);
        if (m_iSelImage < 0) {
            GetDlgItem(IDC_KTVP_APP_IMAGE_ONLY)->EnableWindow(FALSE);
            GetDlgItem(IDC_KTVP_APP_IMAGE_TEXT)->EnableWindow(FALSE);
        }
    }
    CheckDlgButton(!m_bUserButton || m_pButton->m_bLocked ? IDC_KTVP_APP_DEFAULT_IMAGE : IDC_KTVP_APP_USER_IMAGE,
                   BST_CHECKED);
    if (m_bImage && m_bText)
        CheckDlgButton(IDC_KTVP_APP_IMAGE_TEXT, BST_CHECKED);
    else if (m_bImage)
        CheckDlgButton(IDC_KTVP_APP_IMAGE_ONLY, BST_CHECKED);
    else {
        CheckDlgButton(IDC_KTVP_APP_TEXT_ONLY, BST_CHECKED);
        m_bText = TRUE;
        m_wndButtonList.EnableWindow(FALSE);
    }

    const int iTab = m_pButton->m_strText.Find('\t');
    if (iTab >= 0) {
        m_strButtonText = m_pButton->m_strText.Left(iTab);
        m_strAccel = m_pButton->m_strText.Mid(iTab + 1);
    } else {
        m_strButtonText = m_pButton->m_strText;
    }
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetMessageString(m_pButton->m_nID, m_strButtonDescr);

    if (m_bMenuMode) {
        GetDlgItem(IDC_KTVP_APP_IMAGE_ONLY)->EnableWindow(FALSE);
        if (m_iSelImage < 0) {
            GetDlgItem(IDC_KTVP_APP_TEXT_ONLY)->EnableWindow(FALSE);
            GetDlgItem(IDC_KTVP_APP_IMAGE_TEXT)->EnableWindow(FALSE);
        }
    }
    if (m_pButton->m_bTextBelow)
        GetDlgItem(IDC_KTVP_APP_IMAGE_ONLY)->EnableWindow(FALSE);

    CRect rectPreview;
    GetDlgItem(IDC_KTVP_APP_DEFAULT_PREVIEW)->GetWindowRect(&rectPreview);
    ScreenToClient(&rectPreview);
    const CSize sizeImage = CKtvPToolBar::m_Images.GetImageSize();
    m_rectDefImage = CRect(rectPreview.TopLeft(), CSize(std::min(16, static_cast<int>(sizeImage.cx)),
                                                        std::min(16, static_cast<int>(sizeImage.cy))));
    EnableControls();
    UpdateData(FALSE);
    return TRUE;
}

void CKtvPButtonAppearanceDlg::EnableControls()
{
    const BOOL bHaveImages = m_pImages != nullptr;
    const BOOL bReadOnly = bHaveImages && m_pImages->IsReadOnly();
    const BOOL bLocked = m_pButton->m_bLocked;
    m_wndButtonText.EnableWindow(m_bText && !(m_bMenuMode && m_pUserTool != nullptr));
    const BOOL bList = m_bImage && bHaveImages && m_bUserButton && !m_bMenuMode && !bLocked;
    m_wndButtonList.EnableWindow(bList);
    GetDlgItem(IDC_KTVP_APP_NEW)->EnableWindow(bList && !bReadOnly);
    GetDlgItem(IDC_KTVP_APP_EDIT)->EnableWindow(m_bImage && bHaveImages && m_iSelImage >= 0 && m_bUserButton &&
                                                !bReadOnly && !bLocked);
    GetDlgItem(IDC_KTVP_APP_USER_IMAGE)->EnableWindow(m_bImage && bHaveImages && !m_bMenuMode && !bLocked);
    GetDlgItem(IDC_KTVP_APP_DEFAULT_IMAGE)
        ->EnableWindow(m_pUserTool != nullptr || (m_bImage && !m_bMenuMode && !bLocked && DefaultImage() >= 0));
    InvalidateRect(m_rectDefImage);
}

void CKtvPButtonAppearanceDlg::RebuildImageList()
{
    m_wndButtonList.SetImages(ShownImages());
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
    for (int i = m_iStartImage; i < ShownImages()->GetCount(); i++) {
        auto* pButton = new CKtvPToolbarButton(0, i, nullptr, TRUE);
        m_Buttons.AddTail(pButton);
        m_wndButtonList.AddButton(pButton);
    }
    m_wndButtonList.Invalidate();
}

void CKtvPButtonAppearanceDlg::OnImageOnly()
{
    m_bImage = TRUE;
    m_bText = FALSE;
    EnableControls();
}

void CKtvPButtonAppearanceDlg::OnTextOnly()
{
    m_bImage = FALSE;
    m_bText = TRUE;
    EnableControls();
}

void CKtvPButtonAppearanceDlg::OnImageAndText()
{
    m_bImage = TRUE;
    m_bText = TRUE;
    EnableControls();
}

void CKtvPButtonAppearanceDlg::OnUserImage()
{
    m_iSelImage = -1;
    m_bUserButton = TRUE;
    CheckDlgButton(IDC_KTVP_APP_DEFAULT_IMAGE, BST_UNCHECKED);
    EnableControls();
    m_wndButtonList.SelectButton(static_cast<CKtvPToolbarButton*>(nullptr));
}

void CKtvPButtonAppearanceDlg::OnDefaultImage()
{
    m_iSelImage = m_pButton->GetImage();
    m_bUserButton = FALSE;
    CheckDlgButton(IDC_KTVP_APP_USER_IMAGE, BST_UNCHECKED);
    EnableControls();
}

void CKtvPButtonAppearanceDlg::OnImageList()
{
    CKtvPToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    m_iSelImage = pSelected != nullptr ? pSelected->GetImage() : -1;
    GetDlgItem(IDC_KTVP_APP_EDIT)
        ->EnableWindow(m_iSelImage >= 0 && m_pImages != nullptr && !m_pImages->IsReadOnly());
}

BOOL CKtvPButtonAppearanceDlg::RunImageEditor(CBitmap& bitmap)
{
    const int nBits = m_pImages->GetBitsPerPixel() > 0 ? m_pImages->GetBitsPerPixel() : -1;
    if (CKtvPToolbarCustomize* pSheet = CKtvPToolbarCustomize::m_pCustomizeSheet)
        return pSheet->OnEditToolbarMenuImage(this, bitmap, nBits);
    CKtvPImageEditDlg dlg(&bitmap, this, nBits);
    return dlg.DoModal() == IDOK;
}

void CKtvPButtonAppearanceDlg::OnNewImage()
{
    if (m_pImages == nullptr)
        return;
    const CSize size = m_pImages->GetImageSize();
    CBitmap bitmap;
    if (!AppearanceCreateImage(bitmap, size, IDS_KTVP_CANNOT_CREATE_IMAGE))
        return;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        dc.FillRect(CRect(CPoint(0, 0), size), &globalData.brBtnFace);
        dc.SelectObject(pOld);
    }
    if (!RunImageEditor(bitmap))
        return;
    AppearanceToStandardColors(bitmap, size);
    BeginImageChanges();
    const int iNew = m_imagesWork.AddImage(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    if (iNew < 0) {
        CString strError;
        strError.LoadString(IDS_KTVP_CANNOT_CREATE_IMAGE);
        AfxMessageBox(strError);
        return;
    }
    RebuildImageList();
    m_wndButtonList.SelectButton(iNew);
}

void CKtvPButtonAppearanceDlg::OnEditImage()
{
    if (m_pImages == nullptr || m_iSelImage < 0)
        return;
    CKtvPToolBarImages* pShown = ShownImages();
    const CSize size = pShown->GetImageSize();
    CBitmap bitmap;
    if (!AppearanceCreateImage(bitmap, size, IDS_KTVP_INTERNAL_ERROR))
        return;
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap* pOld = dc.SelectObject(&bitmap);
        const COLORREF clrTransparent = pShown->GetTransparentColor();
        const COLORREF clrGrey = RGB(192, 192, 192);
        if (clrTransparent != clrGrey)
            pShown->SetTransparentColor(clrGrey);
        dc.FillSolidRect(0, 0, size.cx, size.cy, clrGrey);
        CKtvPDrawState ds;
        if (pShown->PrepareDrawImage(ds)) {
            pShown->Draw(&dc, 0, 0, m_iSelImage);
            pShown->EndDrawImage(ds);
        }
        if (clrTransparent != clrGrey)
            pShown->SetTransparentColor(clrTransparent);
        dc.SelectObject(pOld);
    }
    if (!RunImageEditor(bitmap))
        return;
    AppearanceToStandardColors(bitmap, size);
    BeginImageChanges();
    m_imagesWork.UpdateImage(m_iSelImage, static_cast<HBITMAP>(bitmap.GetSafeHandle()));
    const int iSel = m_iSelImage;
    RebuildImageList();
    m_wndButtonList.SelectButton(iSel);
}

void CKtvPButtonAppearanceDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_pUserTool != nullptr) {
        m_pUserTool->DrawToolIcon(&dc, m_rectDefImage);
        return;
    }
    const int iDefault = DefaultImage();
    if (!m_bImage || iDefault < 0)
        return;
    CKtvPDrawState ds;
    if (CKtvPToolBar::m_Images.PrepareDrawImage(ds)) {
        CKtvPToolBar::m_Images.Draw(&dc, m_rectDefImage.left, m_rectDefImage.top, iDefault);
        CKtvPToolBar::m_Images.EndDrawImage(ds);
    }
}

void CKtvPButtonAppearanceDlg::OnOK()
{
    if (!UpdateData())
        return;
    int iImage = m_iSelImage;
    if (!m_bUserButton)
        iImage = m_pUserTool != nullptr ? 0 : DefaultImage();
    if (m_bImage && iImage < 0) {
        CString strMessage;
        strMessage.LoadString(IDS_KTVP_SELECT_IMAGE);
        AfxMessageBox(strMessage);
        m_wndButtonList.SetFocus();
        return;
    }
    if (m_bText && m_strButtonText.IsEmpty()) {
        CString strMessage;
        strMessage.LoadString(IDS_KTVP_ENTER_TEXT);
        AfxMessageBox(strMessage);
        m_wndButtonText.SetFocus();
        return;
    }
    // New and edited user images enter the strip only now.
    if (m_bImagesChanged && m_pImages != nullptr)
        m_imagesWork.CopyTo(*m_pImages);

    if (!m_pButton->m_bTextBelow)
        m_pButton->m_bTextShown = m_bText;
    if (m_bMenuMode) {
        if (GetCmdMgr() != nullptr)
            GetCmdMgr()->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
    } else {
        m_pButton->m_bImageShown = m_bImage;
    }
    m_pButton->m_bUserImage = m_bUserButton;
    m_pButton->SetImage(iImage);
    m_pButton->m_strText = m_strButtonText;
    if (!m_strAccel.IsEmpty())
        m_pButton->m_strText += _T("\t") + m_strAccel;
    CDialog::OnOK();
}

BOOL KtvPRunButtonAppearance(CKtvPToolBar* pBar, CKtvPToolbarButton* pButton)
{
    CKtvPButtonAppearanceDlg dlg(pButton, CKtvPToolBar::m_pUserImages, pBar, 0, pBar->IsPureMenuButton(pButton));
    return dlg.DoModal() == IDOK;
}
