// Button Appearance: whether a toolbar button or menu item shows its image,
// its text or both, which image (the command's default or one of the user
// images, which can be drawn new or edited), and its label. New and Edit
// work on a copy of the user images: nothing changes until OK.
#pragma once

#include "platform/mfc/CDialog.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CString.h"
#include "ui/commandbars/KtvPImageListButton.h"
#include "ui/commandbars/KtvPToolBarImages.h"

class CKtvPToolBar;
class CKtvPToolbarButton;
class CKtvPUserTool;

class CKtvPButtonAppearanceDlg : public CDialog {
public:
    CKtvPButtonAppearanceDlg(CKtvPToolbarButton* pButton, CKtvPToolBarImages* pImages, CWnd* pParent,
                             int iStartImage = 0, BOOL bMenuMode = FALSE);
    ~CKtvPButtonAppearanceDlg() override;

    // Fields, in declared order.
    CKtvPImageListButton m_wndButtonList;
    CEdit m_wndButtonText;
    CString m_strButtonText;
    CString m_strButtonDescr;
    CKtvPToolbarButton* m_pButton;
    CKtvPToolBarImages* m_pImages;
    int m_iStartImage;
    CList<CKtvPToolbarButton*, CKtvPToolbarButton*> m_Buttons;
    int m_iSelImage = -1;
    BOOL m_bImage = FALSE;
    BOOL m_bText = FALSE;
    BOOL m_bMenuMode;
    BOOL m_bUserButton = FALSE;
    CRect m_rectDefImage;
    CString m_strAccel;
    CKtvPUserTool* m_pUserTool = nullptr;
    // The user images as the dialog shows them; they replace the strip's on OK.
    CKtvPToolBarImages m_imagesWork;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnImageOnly();
    void OnTextOnly();
    void OnImageAndText();
    void OnImageList();
    void OnNewImage();
    void OnEditImage();
    void OnUserImage();
    void OnDefaultImage();
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    void EnableControls();
    void RebuildImageList();
    int DefaultImage() const;
    BOOL RunImageEditor(CBitmap& bitmap);
    // The images shown: the working copy once New or Edit changed it.
    CKtvPToolBarImages* ShownImages();
    // The first New or Edit starts the working copy of the user images.
    void BeginImageChanges();
    BOOL m_bImagesChanged = FALSE;
};

// Button Appearance for a button of a bar in customise mode, with the bar's
// user images and the bar as parent; TRUE when the user pressed OK.
BOOL KtvPRunButtonAppearance(CKtvPToolBar* pBar, CKtvPToolbarButton* pButton);
