// Edit Button Image: a toolbar button's image redrawn pixel by pixel in the
// paint area, with a colour bar, the drawing tools, Copy, Paste and Clear,
// and a real-size preview. The bitmap is edited in place; the caller keeps
// it on OK.
#pragma once

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CStatic.h"
#include "ui/commandbars/KtvPImagePaintArea.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPColorBar.h"

class CKtvPImageEditDlg : public CDialog {
public:
    CKtvPImageEditDlg(CBitmap* pBitmap, CWnd* pParent = nullptr, int nBitsPixel = -1);
    ~CKtvPImageEditDlg() override;

    // The paint area's colour picker: the colour is chosen and the pencil taken again.
    void OnPickColor(COLORREF color);

    // Fields, in declared order.
    CStatic m_wndColorPickerLocation;
    CStatic m_wndPaletteBarLocation;
    CStatic m_wndPreview;
    CKtvPImagePaintArea m_wndLargeDrawArea;
    CBitmap* m_pBitmap = nullptr;
    CSize m_sizeImage{0, 0};
    int m_nBitsPixel = -1;
    CKtvPToolBar m_wndPaletteBar;
    CKtvPColorBar m_wndColorBar;
    CPalette m_palette;
    CRect m_rectPreviewImage;
    CRect m_rectPreviewFrame;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnPaint();
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnColors();
    void OnToolPencil();
    void OnToolFill();
    void OnToolPickColor();
    void OnToolLine();
    void OnToolRect();
    void OnToolEllipse();
    void OnUpdateToolPencil(CCmdUI* pCmdUI);
    void OnUpdateToolFill(CCmdUI* pCmdUI);
    void OnUpdateToolPickColor(CCmdUI* pCmdUI);
    void OnUpdateToolLine(CCmdUI* pCmdUI);
    void OnUpdateToolRect(CCmdUI* pCmdUI);
    void OnUpdateToolEllipse(CCmdUI* pCmdUI);
    void OnToolCopy();
    void OnToolPaste();
    void OnUpdateToolPaste(CCmdUI* pCmdUI);
    void OnToolClear();
    DECLARE_MESSAGE_MAP()

    void InvalidateImage();
};
