#include "platform/mfc/COleDataSource.h"

#include <mutex>

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWnd.h"
#include "platform/ole/ClipboardDataObject.h"

namespace ole_data_source_detail {

std::mutex g_clipboardMutex;
COleDataSource* g_clipboardOwner = nullptr;

// The object that owned the clipboard was deleted when the clipboard let go of its data.
void ReplaceClipboardOwner(COleDataSource* next)
{
    std::lock_guard lock(g_clipboardMutex);
    g_clipboardOwner = next;
}

FORMATETC FormatFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : tw::ole::GlobalFormat(cfFormat);
    format.cfFormat = cfFormat;
    format.ptd = nullptr;
    format.tymed = TYMED_HGLOBAL;
    return format;
}

HWND DragWindow()
{
    HWND hWnd = ::GetCapture();
    if (!hWnd)
        hWnd = ::GetFocus();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (!hWnd && pMainWnd)
        hWnd = pMainWnd->m_hWnd;
    return hWnd;
}

}  // namespace ole_data_source_detail

COleDataSource::COleDataSource() : m_pDataObject(new tw::ole::DataObject) {}

COleDataSource::~COleDataSource()
{
    {
        std::lock_guard lock(ole_data_source_detail::g_clipboardMutex);
        if (ole_data_source_detail::g_clipboardOwner == this)
            ole_data_source_detail::g_clipboardOwner = nullptr;
    }
    // A receiver still holding the object must not call back into this one.
    m_pDataObject->Empty();
    m_pDataObject->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    m_pDataObject->Cache(ole_data_source_detail::FormatFor(cfFormat, lpFormatEtc), hGlobal);
}

void COleDataSource::DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    m_pDataObject->DelayRender(ole_data_source_detail::FormatFor(cfFormat, lpFormatEtc),
                               [this](const FORMATETC& format) -> HGLOBAL {
                                   FORMATETC request = format;
                                   HGLOBAL block = nullptr;
                                   return OnRenderGlobalData(&request, &block) ? block : nullptr;
                               });
}

void COleDataSource::Empty()
{
    m_pDataObject->Empty();
}

BOOL COleDataSource::OnRenderGlobalData(LPFORMATETC, HGLOBAL*)
{
    return FALSE;
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (!pDropSource)
        pDropSource = &defaultSource;
    pDropSource->m_bDragStarted = FALSE;
    if (lpRectStartDrag) {
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    } else {
        CPoint pt;
        ::GetCursorPos(&pt);
        pDropSource->m_rectStartDrag.SetRect(pt.x, pt.y, pt.x, pt.y);
    }
    if (pDropSource->m_rectStartDrag.IsRectNull()) {
        pDropSource->m_bDragStarted = TRUE;
    } else {
        if (pDropSource->m_rectStartDrag.IsRectEmpty()) {
            const int inflate = static_cast<int>(COleDropSource::nDragMinDist);
            pDropSource->m_rectStartDrag.InflateRect(inflate, inflate);
        }
        if (!pDropSource->OnBeginDrag(CWnd::FromHandle(ole_data_source_detail::DragWindow())))
            return DROPEFFECT_NONE;
    }
    LPDROPSOURCE source = pDropSource->CreateInterface();
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(m_pDataObject, source, dwEffects, &effect);
    source->Release();
    return effect;
}

void COleDataSource::SetClipboard()
{
    // The clipboard lets go of the previous data (another owner's, or this
    // object's own earlier hand-over) inside Set; a replaced hand-over of this
    // object must not delete it.
    const unsigned generation = ++m_clipboardGeneration;
    std::weak_ptr<char> alive = m_alive;
    COleDataSource* self = this;
    const HRESULT hr = tw::ole::OleClipboardState::Instance().Set(m_pDataObject, [self, alive, generation] {
        if (alive.expired() || self->m_clipboardGeneration != generation)
            return;
        // Frees the data it cached, which are its own.
        delete self;
    });
    if (SUCCEEDED(hr)) {
        ole_data_source_detail::ReplaceClipboardOwner(this);
    } else {
        // Not handed over: the caller keeps this object.
        ++m_clipboardGeneration;
    }
}

void PASCAL COleDataSource::FlushClipboard()
{
    // Deletes the owner.
    ::OleFlushClipboard();
    ole_data_source_detail::ReplaceClipboardOwner(nullptr);
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    std::lock_guard lock(ole_data_source_detail::g_clipboardMutex);
    COleDataSource* owner = ole_data_source_detail::g_clipboardOwner;
    if (owner && ::OleIsCurrentClipboard(owner->m_pDataObject) != S_OK)
        return nullptr;
    return owner;
}

LPUNKNOWN COleDataSource::GetInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    if (IsEqualIID(wanted, IID_IDataObject) || IsEqualIID(wanted, IID_IUnknown))
        return m_pDataObject;
    return nullptr;
}
