#include "ui/commandbars/KtvPImageEditDlg.h"

#include <algorithm>
#include <vector>

#include "platform/mfc/CDataExchange.h"
#include "platform/mfc/COleDataObject.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "resources/CustomizeIds.h"
#include "resources/resource.h"
#include "ui/frames/KtvPGlobalData.h"

BEGIN_MESSAGE_MAP(CKtvPImageEditDlg, CDialog)
    ON_WM_PAINT()
    ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
    ON_COMMAND(IDC_KTVP_IMAGE_COLORS, OnColors)
    ON_COMMAND(ID_KTVP_IMAGE_PENCIL, OnToolPencil)
    ON_COMMAND(ID_KTVP_IMAGE_FILL, OnToolFill)
    ON_COMMAND(ID_KTVP_IMAGE_PICK_COLOR, OnToolPickColor)
    ON_COMMAND(ID_KTVP_IMAGE_LINE, OnToolLine)
    ON_COMMAND(ID_KTVP_IMAGE_RECT, OnToolRect)
    ON_COMMAND(ID_KTVP_IMAGE_ELLIPSE, OnToolEllipse)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_PENCIL, OnUpdateToolPencil)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_FILL, OnUpdateToolFill)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_PICK_COLOR, OnUpdateToolPickColor)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_LINE, OnUpdateToolLine)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_RECT, OnUpdateToolRect)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_ELLIPSE, OnUpdateToolEllipse)
    ON_COMMAND(ID_KTVP_IMAGE_COPY, OnToolCopy)
    ON_COMMAND(ID_KTVP_IMAGE_PASTE, OnToolPaste)
    ON_UPDATE_COMMAND_UI(ID_KTVP_IMAGE_PASTE, OnUpdateToolPaste)
    ON_COMMAND(ID_KTVP_IMAGE_CLEAR, OnToolClear)
END_MESSAGE_MAP()

CKtvPImageEditDlg::CKtvPImageEditDlg(CBitmap* pBitmap, CWnd* pParent, int nBitsPixel)
    : CDialog(IDD_KTVP_IMAGE_EDIT, pParent), m_wndLargeDrawArea(this), m_pBitmap(pBitmap), m_nBitsPixel(nBitsPixel)
{
    BITMAP bmp{};
    if (m_pBitmap != nullptr && m_pBitmap->GetSafeHandle() != nullptr && m_pBitmap->GetBitmap(&bmp) != 0) {
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        if (m_nBitsPixel == -1)
            m_nBitsPixel = bmp.bmBitsPixel;
    }
}

CKtvPImageEditDlg::~CKtvPImageEditDlg() = default;

void CKtvPImageEditDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KTVP_IMAGE_COLORS, m_wndColorPickerLocation);
    DDX_Control(pDX, IDC_KTVP_IMAGE_TOOLS, m_wndPaletteBarLocation);
    DDX_Control(pDX, IDC_KTVP_IMAGE_PREVIEW, m_wndPreview);
    DDX_Control(pDX, IDC_KTVP_IMAGE_PAINT_AREA, m_wndLargeDrawArea);
}

BOOL CKtvPImageEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndLargeDrawArea.SetBitmap(m_pBitmap);

    // The tools, three to a row, inside their frame; their commands come here.
    m_wndPaletteBar.EnableLargeIcons(FALSE);
    m_wndPaletteBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, 0xE800);
    m_wndPaletteBar.LoadToolBar(IDR_KTVP_IMAGE_EDIT_TOOLS, 0, 0, TRUE);
    m_wndPaletteBar.SetBarStyle((m_wndPaletteBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY) &
                                ~(CBRS_GRIPPER | CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM | CBRS_BORDER_LEFT |
                                  CBRS_BORDER_RIGHT));
    m_wndPaletteBar.SetBorders(10, 5, 10, 5);
    m_wndPaletteBar.WrapToolBar(3 * m_wndPaletteBar.GetColumnWidth());
    CRect rectTools;
    m_wndPaletteBarLocation.GetWindowRect(&rectTools);
    ScreenToClient(&rectTools);
    rectTools.DeflateRect(2, 2);
    m_wndPaletteBar.SetWindowPos(&CWnd::wndTop, rectTools.left, rectTools.top, rectTools.Width(),
                                 rectTools.Height(), SWP_NOACTIVATE);
    m_wndPaletteBar.SetOwner(this);
    m_wndPaletteBar.m_bRouteCommandsViaFrame = FALSE;

    // Sixteen colours of the system palette for images of up to 256 colours; the bar's own otherwise.
    CPalette* pPalette = nullptr;
    if (m_nBitsPixel <= 8) {
        PALETTEENTRY entries[20] = {};
        ::GetPaletteEntries(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), 0, 20, entries);
        std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 16 * sizeof(PALETTEENTRY));
        auto* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
        pLogPalette->palVersion = 0x300;
        pLogPalette->palNumEntries = 16;
        int j = 0;
        for (int i = 0; i < 20; i++) {
            if (i >= 8 && i <= 11)
                continue;
            pLogPalette->palPalEntry[j++] = entries[i];
        }
        if (m_palette.CreatePalette(pLogPalette))
            pPalette = &m_palette;
    }
    CRect rectColors;
    m_wndColorPickerLocation.GetWindowRect(&rectColors);
    ScreenToClient(&rectColors);
    rectColors.DeflateRect(2, 2);
    m_wndColorBar.CreateControl(this, rectColors, IDC_KTVP_IMAGE_COLORS, 4, pPalette);
    m_wndColorBar.SetColor(RGB(0, 0, 0));

    CRect rectPreview;
    m_wndPreview.GetWindowRect(&rectPreview);
    ScreenToClient(&rectPreview);
    m_rectPreviewImage = CRect(rectPreview.CenterPoint(), m_sizeImage);
    m_rectPreviewImage.OffsetRect(-m_sizeImage.cx / 2, -m_sizeImage.cy / 2);
    m_rectPreviewFrame = m_rectPreviewImage;
    m_rectPreviewFrame.InflateRect(4, 4);
    m_wndLargeDrawArea.m_rectParentPreviewArea = m_rectPreviewImage;
    return TRUE;
}

void CKtvPImageEditDlg::OnPaint()
{
    CPaintDC dc(this);
    dc.Draw3dRect(m_rectPreviewFrame, globalData.clrBtnHilite, globalData.clrBtnShadow);
    if (m_pBitmap == nullptr)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    CBitmap* pOld = memDC.SelectObject(m_pBitmap);
    dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy, &memDC, 0, 0,
              SRCCOPY);
    memDC.SelectObject(pOld);
}

LRESULT CKtvPImageEditDlg::OnKickIdle(WPARAM, LPARAM)
{
    if (m_wndPaletteBar.GetSafeHwnd() != nullptr)
        m_wndPaletteBar.OnUpdateCmdUI(reinterpret_cast<CFrameWnd*>(this), TRUE);
    return 0;
}

void CKtvPImageEditDlg::OnColors()
{
    m_wndLargeDrawArea.SetColor(m_wndColorBar.GetColor());
}

void CKtvPImageEditDlg::OnPickColor(COLORREF color)
{
    m_wndColorBar.SetColor(color);
    m_wndLargeDrawArea.SetColor(color);
    m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_PEN);
}

void CKtvPImageEditDlg::OnToolPencil() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_PEN); }
void CKtvPImageEditDlg::OnToolFill() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_FILL); }
void CKtvPImageEditDlg::OnToolPickColor() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_COLOR); }
void CKtvPImageEditDlg::OnToolLine() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_LINE); }
void CKtvPImageEditDlg::OnToolRect() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_RECT); }
void CKtvPImageEditDlg::OnToolEllipse() { m_wndLargeDrawArea.SetMode(CKtvPImagePaintArea::IMAGE_EDIT_MODE_ELLIPSE); }

void CKtvPImageEditDlg::OnUpdateToolPencil(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_PEN);
}
void CKtvPImageEditDlg::OnUpdateToolFill(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_FILL);
}
void CKtvPImageEditDlg::OnUpdateToolPickColor(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_COLOR);
}
void CKtvPImageEditDlg::OnUpdateToolLine(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_LINE);
}
void CKtvPImageEditDlg::OnUpdateToolRect(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_RECT);
}
void CKtvPImageEditDlg::OnUpdateToolEllipse(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_wndLargeDrawArea.GetMode() == CKtvPImagePaintArea::IMAGE_EDIT_MODE_ELLIPSE);
}

void CKtvPImageEditDlg::InvalidateImage()
{
    InvalidateRect(m_rectPreviewFrame, TRUE);
    m_wndLargeDrawArea.Invalidate();
}

void CKtvPImageEditDlg::OnToolClear()
{
    if (m_pBitmap == nullptr)
        return;
    CDC memDC;
    memDC.CreateCompatibleDC(nullptr);
    CBitmap* pOld = memDC.SelectObject(m_pBitmap);
    memDC.FillRect(CRect(0, 0, m_sizeImage.cx, m_sizeImage.cy), &globalData.brBtnFace);
    memDC.SelectObject(pOld);
    InvalidateImage();
}

void CKtvPImageEditDlg::OnToolCopy()
{
    if (m_pBitmap == nullptr)
        return;
    CString strError;
    strError.LoadString(IDS_KTVP_CANNOT_COPY_IMAGE);
    CClientDC dcWindow(this);
    CBitmap bmpCopy;
    if (!bmpCopy.CreateCompatibleBitmap(&dcWindow, m_sizeImage.cx, m_sizeImage.cy)) {
        AfxMessageBox(strError);
        return;
    }
    {
        CDC dcSrc;
        dcSrc.CreateCompatibleDC(&dcWindow);
        CDC dcDst;
        dcDst.CreateCompatibleDC(&dcWindow);
        CBitmap* pOldSrc = dcSrc.SelectObject(m_pBitmap);
        CBitmap* pOldDst = dcDst.SelectObject(&bmpCopy);
        dcDst.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &dcSrc, 0, 0, SRCCOPY);
        dcSrc.SelectObject(pOldSrc);
        dcDst.SelectObject(pOldDst);
    }
    if (!::OpenClipboard(GetSafeHwnd())) {
        AfxMessageBox(strError);
        return;
    }
    // The clipboard is closed on every path.
    const BOOL bDone = ::EmptyClipboard() && ::SetClipboardData(CF_BITMAP, bmpCopy.GetSafeHandle()) != nullptr;
    if (bDone)
        bmpCopy.Detach();
    ::CloseClipboard();
    if (!bDone)
        AfxMessageBox(strError);
}

void CKtvPImageEditDlg::OnUpdateToolPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_BITMAP));
}

void CKtvPImageEditDlg::OnToolPaste()
{
    CString strError;
    strError.LoadString(IDS_KTVP_CANNOT_PASTE_IMAGE);
    if (m_pBitmap == nullptr) {
        AfxMessageBox(strError);
        return;
    }
    // The picture comes through the clipboard's data object as a bitmap of our own.
    COleDataObject data;
    FORMATETC request{CF_BITMAP, nullptr, DVASPECT_CONTENT, -1, TYMED_GDI};
    STGMEDIUM medium{};
    if (!data.AttachClipboard() || !data.GetData(CF_BITMAP, &medium, &request)) {
        AfxMessageBox(strError);
        return;
    }
    const HBITMAP hPasted = medium.tymed == TYMED_GDI ? medium.hBitmap : nullptr;
    BITMAP bmp{};
    const BOOL bHavePicture = hPasted != nullptr && ::GetObject(hPasted, sizeof(bmp), &bmp) != 0;
    BOOL bDone = FALSE;
    if (bHavePicture) {
        CDC dcSrc;
        dcSrc.CreateCompatibleDC(nullptr);
        CDC dcDst;
        dcDst.CreateCompatibleDC(nullptr);
        const HGDIOBJ hOldSrc = ::SelectObject(dcSrc.GetSafeHdc(), hPasted);
        CBitmap* pOldDst = dcDst.SelectObject(m_pBitmap);
        if (hOldSrc != nullptr && pOldDst != nullptr) {
            // A smaller picture is centred on the button face, a larger one cut.
            dcDst.FillRect(CRect(0, 0, m_sizeImage.cx, m_sizeImage.cy), &globalData.brBtnFace);
            const int x = std::max(0, (m_sizeImage.cx - static_cast<int>(bmp.bmWidth)) / 2);
            const int y = std::max(0, (m_sizeImage.cy - static_cast<int>(bmp.bmHeight)) / 2);
            dcDst.BitBlt(x, y, m_sizeImage.cx, m_sizeImage.cy, &dcSrc, 0, 0, SRCCOPY);
            bDone = TRUE;
        }
        if (hOldSrc != nullptr)
            ::SelectObject(dcSrc.GetSafeHdc(), hOldSrc);
        if (pOldDst != nullptr)
            dcDst.SelectObject(pOldDst);
    }
    ::ReleaseStgMedium(&medium);
    if (!bDone) {
        AfxMessageBox(strError);
        return;
    }
    InvalidateImage();
}
