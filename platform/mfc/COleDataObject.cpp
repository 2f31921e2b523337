#include "platform/mfc/COleDataObject.h"

#include <cstring>

#include "platform/mfc/CMemFile.h"
#include "platform/ole/DataObject.h"
#include "platform/win32/kernel/GlobalMemory.h"

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    if (m_lpEnumerator) {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    LPDATAOBJECT detached = m_lpDataObject;
    m_lpDataObject = nullptr;
    return detached;
}

void COleDataObject::Release()
{
    LPDATAOBJECT data = Detach();
    if (data && m_bAutoRelease)
        data->Release();
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT clipboard = nullptr;
    if (FAILED(OleGetClipboard(&clipboard)))
        return FALSE;
    Attach(clipboard, TRUE);
    return TRUE;
}

FORMATETC COleDataObject::Request(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (lpFormatEtc) {
        FORMATETC request = *lpFormatEtc;
        request.cfFormat = cfFormat;
        return request;
    }
    return tw::ole::GlobalFormat(cfFormat);
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject)
        return FALSE;
    FORMATETC request = Request(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&request) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!m_lpDataObject || !lpStgMedium)
        return FALSE;
    FORMATETC request = Request(cfFormat, lpFormatEtc);
    return SUCCEEDED(m_lpDataObject->GetData(&request, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC request = Request(cfFormat, lpFormatEtc);
    request.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium{};
    if (!GetData(cfFormat, &medium, &request))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    if (!medium.pUnkForRelease)
        return medium.hGlobal;
    // The block belongs to someone else: the caller gets a copy it may free.
    HGLOBAL copy = tw::ole::DuplicateGlobal(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return copy;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL block = GetGlobalData(cfFormat, lpFormatEtc);
    if (!block)
        return nullptr;
    const SIZE_T size = GlobalSize(block);
    const void* bytes = GlobalLock(block);
    auto* file = new CMemFile;
    if (bytes && size)
        file->Write(bytes, static_cast<UINT>(size));
    file->SeekToBegin();
    GlobalUnlock(block);
    GlobalFree(block);
    return file;
}

void COleDataObject::BeginEnumFormats()
{
    if (m_lpEnumerator) {
        m_lpEnumerator->Release();
        m_lpEnumerator = nullptr;
    }
    if (m_lpDataObject)
        m_lpDataObject->EnumFormatEtc(DATADIR_GET, &m_lpEnumerator);
}

BOOL COleDataObject::GetNextFormat(LPFORMATETC lpFormatEtc)
{
    if (!m_lpEnumerator || !lpFormatEtc)
        return FALSE;
    return m_lpEnumerator->Next(1, lpFormatEtc, nullptr) == S_OK;
}
