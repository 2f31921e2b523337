#include "platform/ole/DataObject.h"

#include <algorithm>
#include <cstring>

#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"

void ReleaseStgMedium(LPSTGMEDIUM pmedium)
{
    if (!pmedium)
        return;
    if (pmedium->pUnkForRelease) {
        pmedium->pUnkForRelease->Release();
    } else if (pmedium->tymed == TYMED_HGLOBAL && pmedium->hGlobal) {
        GlobalFree(pmedium->hGlobal);
    } else if (pmedium->tymed == TYMED_GDI && pmedium->hBitmap) {
        DeleteObject(pmedium->hBitmap);
    }
    pmedium->tymed = TYMED_NULL;
    pmedium->hGlobal = nullptr;
    pmedium->pUnkForRelease = nullptr;
}

namespace tw::ole {

HGLOBAL DuplicateGlobal(HGLOBAL source)
{
    const SIZE_T size = GlobalSize(source);
    const void* from = GlobalLock(source);
    if (!from)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    void* to = copy ? GlobalLock(copy) : nullptr;
    if (to) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(source);
    if (copy && !to) {
        GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

FORMATETC GlobalFormat(CLIPFORMAT format)
{
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

HRESULT FormatEnumerator::Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched)
{
    if (!rgelt || (celt > 1 && !pceltFetched))
        return E_INVALIDARG;
    ULONG fetched = 0;
    while (fetched < celt && next_ < formats_.size())
        rgelt[fetched++] = formats_[next_++];
    if (pceltFetched)
        *pceltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT FormatEnumerator::Skip(ULONG celt)
{
    const size_t left = formats_.size() - next_;
    next_ += std::min<size_t>(celt, left);
    return celt <= left ? S_OK : S_FALSE;
}

HRESULT FormatEnumerator::Reset()
{
    next_ = 0;
    return S_OK;
}

HRESULT FormatEnumerator::Clone(IEnumFORMATETC** ppenum)
{
    if (!ppenum)
        return E_POINTER;
    auto* clone = new FormatEnumerator(formats_);
    clone->next_ = next_;
    *ppenum = clone;
    return S_OK;
}

DataObject::~DataObject()
{
    Empty();
}

void DataObject::Remove(CLIPFORMAT format)
{
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [format](const Entry& e) { return e.format.cfFormat == format; });
    if (it == entries_.end())
        return;
    if (it->data)
        GlobalFree(it->data);
    entries_.erase(it);
}

void DataObject::Cache(const FORMATETC& format, HGLOBAL data)
{
    std::lock_guard lock(mutex_);
    Remove(format.cfFormat);
    entries_.push_back(Entry{format, data, nullptr});
}

void DataObject::DelayRender(const FORMATETC& format, Renderer render)
{
    std::lock_guard lock(mutex_);
    Remove(format.cfFormat);
    entries_.push_back(Entry{format, nullptr, std::move(render)});
}

void DataObject::Empty()
{
    std::lock_guard lock(mutex_);
    for (Entry& entry : entries_) {
        if (entry.data)
            GlobalFree(entry.data);
    }
    entries_.clear();
}

std::vector<FORMATETC> DataObject::Formats() const
{
    std::lock_guard lock(mutex_);
    std::vector<FORMATETC> formats;
    for (const Entry& entry : entries_)
        formats.push_back(entry.format);
    return formats;
}

HRESULT DataObject::Match(const FORMATETC* request, const Entry** found) const
{
    if (!request)
        return E_INVALIDARG;
    HRESULT why = DV_E_FORMATETC;
    for (const Entry& entry : entries_) {
        if (entry.format.cfFormat != request->cfFormat)
            continue;
        if (!(request->tymed & entry.format.tymed)) {
            why = DV_E_TYMED;
            continue;
        }
        if (!(request->dwAspect & entry.format.dwAspect)) {
            why = DV_E_DVASPECT;
            continue;
        }
        *found = &entry;
        return S_OK;
    }
    return why;
}

HRESULT DataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    if (!pmedium)
        return E_INVALIDARG;
    Renderer render;
    HGLOBAL data = nullptr;
    FORMATETC format{};
    {
        std::lock_guard lock(mutex_);
        const Entry* entry = nullptr;
        const HRESULT hr = Match(pformatetcIn, &entry);
        if (FAILED(hr))
            return hr;
        format = entry->format;
        if (entry->data)
            data = DuplicateGlobal(entry->data);
        else
            render = entry->render;
    }
    // Rendered outside the lock: a renderer may ask this object for another format.
    if (render)
        data = render(format);
    if (!data)
        return render ? DV_E_FORMATETC : E_OUTOFMEMORY;
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = data;
    pmedium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DataObject::GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium)
{
    if (!pformatetc || !pmedium)
        return E_INVALIDARG;
    if (pmedium->tymed != TYMED_HGLOBAL || !pmedium->hGlobal)
        return DV_E_TYMED;
    STGMEDIUM fresh{};
    const HRESULT hr = GetData(pformatetc, &fresh);
    if (FAILED(hr))
        return hr;
    const SIZE_T size = GlobalSize(fresh.hGlobal);
    HRESULT result = S_OK;
    if (GlobalSize(pmedium->hGlobal) < size) {
        result = STG_E_MEDIUMFULL;
    } else {
        void* to = GlobalLock(pmedium->hGlobal);
        const void* from = GlobalLock(fresh.hGlobal);
        if (to && from)
            std::memcpy(to, from, size);
        else
            result = E_OUTOFMEMORY;
        GlobalUnlock(fresh.hGlobal);
        GlobalUnlock(pmedium->hGlobal);
    }
    ReleaseStgMedium(&fresh);
    return result;
}

HRESULT DataObject::QueryGetData(FORMATETC* pformatetc)
{
    std::lock_guard lock(mutex_);
    const Entry* entry = nullptr;
    const HRESULT hr = Match(pformatetc, &entry);
    return FAILED(hr) ? hr : S_OK;
}

HRESULT DataObject::GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    if (!pformatectIn || !pformatetcOut)
        return E_INVALIDARG;
    *pformatetcOut = *pformatectIn;
    pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT DataObject::SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease)
{
    if (!pformatetc || !pmedium)
        return E_INVALIDARG;
    if (pmedium->tymed != TYMED_HGLOBAL || !pmedium->hGlobal)
        return DV_E_TYMED;
    HGLOBAL data = fRelease ? pmedium->hGlobal : DuplicateGlobal(pmedium->hGlobal);
    if (!data)
        return E_OUTOFMEMORY;
    if (fRelease && pmedium->pUnkForRelease) {
        // Someone else owns the block: keep a copy of our own.
        data = DuplicateGlobal(pmedium->hGlobal);
        ReleaseStgMedium(pmedium);
        if (!data)
            return E_OUTOFMEMORY;
    }
    FORMATETC format = *pformatetc;
    format.ptd = nullptr;
    format.tymed = TYMED_HGLOBAL;
    Cache(format, data);
    return S_OK;
}

HRESULT DataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    if (!ppenumFormatEtc)
        return E_POINTER;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    *ppenumFormatEtc = new FormatEnumerator(Formats());
    return S_OK;
}

HRESULT DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT DataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

}  // namespace tw::ole
