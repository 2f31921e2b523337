#include "ui/commandbars/KtvPToolbarDropSource.h"

#include "platform/mfc/CWinApp.h"
#include "platform/win32/user/winuser.h"
#include "resources/resource.h"

CKtvPToolbarDropSource::CKtvPToolbarDropSource() = default;

// The cursors are loaded at the first drag and released by the class-wide clean-up.
CKtvPToolbarDropSource::~CKtvPToolbarDropSource() = default;

SCODE CKtvPToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (m_bDeleteOnDrop && m_hcurDelete != nullptr)
        ::SetCursor(m_hcurDelete);
    m_bEscapePressed = bEscapePressed;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE CKtvPToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    // A drop outside every bar deletes the button; over a bar that refuses
    // it the platform's no-drop cursor shows, as the button then stays.
    HCURSOR hcur = m_hcurDelete;
    if (dropEffect == DROPEFFECT_COPY)
        hcur = m_hcurCopy;
    else if (dropEffect == DROPEFFECT_MOVE)
        hcur = m_hcurMove;
    else if (!m_bDeleteOnDrop)
        return DRAGDROP_S_USEDEFAULTCURSORS;

    if (hcur == nullptr)
        return COleDropSource::m_bDragStarted ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    ::SetCursor(hcur);
    return S_OK;
}

BOOL CKtvPToolbarDropSource::OnBeginDrag(CWnd* pWnd)
{
    HINSTANCE hinst = AfxGetResourceHandle();
    if (m_hcurDelete == nullptr)
        m_hcurDelete = ::LoadCursor(hinst, MAKEINTRESOURCE(IDC_KTVP_DELETE));
    if (m_hcurMove == nullptr)
        m_hcurMove = ::LoadCursor(hinst, MAKEINTRESOURCE(IDC_KTVP_MOVE));
    if (m_hcurCopy == nullptr)
        m_hcurCopy = ::LoadCursor(hinst, MAKEINTRESOURCE(IDC_KTVP_COPY));

    m_bDragStarted = TRUE;
    return COleDropSource::OnBeginDrag(pWnd);
}
