#include "platform/ole/ClipboardDataObject.h"

#include <utility>
#include <vector>

#include "platform/ole/DataObject.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace tw::ole {

namespace clipboard_data_detail {

// Formats whose clipboard data are not global memory blocks.
bool IsGdiFormat(UINT format)
{
    return format == CF_BITMAP || format == CF_PALETTE || format == CF_ENHMETAFILE || format == CF_METAFILEPICT;
}

// The medium each format travels in: a bitmap as a GDI handle, the formats
// kept in global memory as such; palettes and metafiles are not offered.
DWORD MediumOf(UINT format)
{
    if (format == CF_BITMAP)
        return TYMED_GDI;
    return IsGdiFormat(format) ? TYMED_NULL : TYMED_HGLOBAL;
}

HRESULT CheckRequest(const FORMATETC* request)
{
    if (!request)
        return E_INVALIDARG;
    const DWORD medium = MediumOf(request->cfFormat);
    if (medium == TYMED_NULL || !(request->tymed & medium))
        return DV_E_TYMED;
    if (!(request->dwAspect & DVASPECT_CONTENT))
        return DV_E_DVASPECT;
    return S_OK;
}

// A bitmap of the same size and pixels that the caller owns: the clipboard
// keeps its own and deletes it when emptied.
HBITMAP CopyOfBitmap(HBITMAP source)
{
    BITMAP info{};
    if (!GetObject(source, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP copy = CreateCompatibleBitmap(screen, info.bmWidth, info.bmHeight);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    BOOL copied = FALSE;
    if (copy && from && to) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, copy);
        if (oldFrom && oldTo)
            copied = BitBlt(to, 0, 0, info.bmWidth, info.bmHeight, from, 0, 0, SRCCOPY);
        if (oldFrom)
            SelectObject(from, oldFrom);
        if (oldTo)
            SelectObject(to, oldTo);
    }
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    if (!copied && copy) {
        DeleteObject(copy);
        copy = nullptr;
    }
    return copy;
}

class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpen()
    {
        if (open_)
            CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

constexpr char kOwnerClass[] = "TwOleClipboardOwner";

}  // namespace clipboard_data_detail

HRESULT ClipboardDataObject::GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium)
{
    namespace d = clipboard_data_detail;
    if (!pmedium)
        return E_INVALIDARG;
    const HRESULT check = d::CheckRequest(pformatetcIn);
    if (FAILED(check))
        return check;
    d::ClipboardOpen open(nullptr);
    if (!open.IsOpen())
        return CLIPBRD_E_CANT_OPEN;
    HANDLE data = GetClipboardData(pformatetcIn->cfFormat);
    if (!data)
        return DV_E_FORMATETC;
    pmedium->pUnkForRelease = nullptr;
    if (pformatetcIn->cfFormat == CF_BITMAP) {
        HBITMAP copy = d::CopyOfBitmap(static_cast<HBITMAP>(data));
        if (!copy)
            return E_OUTOFMEMORY;
        pmedium->tymed = TYMED_GDI;
        pmedium->hBitmap = copy;
        return S_OK;
    }
    // The clipboard keeps its own block; the caller frees this copy.
    HGLOBAL copy = DuplicateGlobal(static_cast<HGLOBAL>(data));
    if (!copy)
        return E_OUTOFMEMORY;
    pmedium->tymed = TYMED_HGLOBAL;
    pmedium->hGlobal = copy;
    return S_OK;
}

HRESULT ClipboardDataObject::GetDataHere(FORMATETC*, STGMEDIUM*)
{
    return E_NOTIMPL;
}

HRESULT ClipboardDataObject::QueryGetData(FORMATETC* pformatetc)
{
    const HRESULT check = clipboard_data_detail::CheckRequest(pformatetc);
    if (FAILED(check))
        return check;
    return IsClipboardFormatAvailable(pformatetc->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT ClipboardDataObject::GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut)
{
    if (!pformatectIn || !pformatetcOut)
        return E_INVALIDARG;
    *pformatetcOut = *pformatectIn;
    pformatetcOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT ClipboardDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL)
{
    return E_NOTIMPL;
}

HRESULT ClipboardDataObject::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc)
{
    namespace d = clipboard_data_detail;
    if (!ppenumFormatEtc)
        return E_POINTER;
    *ppenumFormatEtc = nullptr;
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    d::ClipboardOpen open(nullptr);
    if (!open.IsOpen())
        return CLIPBRD_E_CANT_OPEN;
    std::vector<FORMATETC> formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format)) {
        const DWORD medium = d::MediumOf(format);
        if (medium == TYMED_NULL)
            continue;
        FORMATETC offered = GlobalFormat(static_cast<CLIPFORMAT>(format));
        offered.tymed = medium;
        formats.push_back(offered);
    }
    *ppenumFormatEtc = new FormatEnumerator(std::move(formats));
    return S_OK;
}

HRESULT ClipboardDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ClipboardDataObject::DUnadvise(DWORD)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

HRESULT ClipboardDataObject::EnumDAdvise(IEnumSTATDATA**)
{
    return OLE_E_ADVISENOTSUPPORTED;
}

OleClipboardState& OleClipboardState::Instance()
{
    static OleClipboardState instance;
    return instance;
}

HWND OleClipboardState::OwnerWindow()
{
    namespace d = clipboard_data_detail;
    if (owner_ && IsWindow(owner_))
        return owner_;
    WNDCLASS wc{};
    wc.lpfnWndProc = OwnerProc;
    wc.lpszClassName = d::kOwnerClass;
    RegisterClass(&wc);
    owner_ = CreateWindowEx(0, d::kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    return owner_;
}

bool OleClipboardState::StillOwned()
{
    return current_ && owner_ && IsWindow(owner_) && GetClipboardOwner() == owner_;
}

OleClipboardState::Released OleClipboardState::Forget()
{
    if (current_)
        current_->Release();
    current_ = nullptr;
    return std::exchange(onReleased_, nullptr);
}

LRESULT CALLBACK OleClipboardState::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROYCLIPBOARD || message == WM_DESTROY)
        Instance().Lost(hwnd);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void OleClipboardState::Lost(HWND hwnd)
{
    Released released;
    {
        std::lock_guard lock(mutex_);
        if (changing_ || hwnd != owner_)
            return;
        released = Forget();
    }
    if (released)
        released();
}

HRESULT OleClipboardState::Set(IDataObject* data, Released onReleased)
{
    Released released;
    const HRESULT hr = SetLocked(data, std::move(onReleased), &released);
    if (released)
        released();
    return hr;
}

HRESULT OleClipboardState::SetLocked(IDataObject* data, Released onReleased, Released* released)
{
    namespace d = clipboard_data_detail;
    std::lock_guard lock(mutex_);
    HWND owner = OwnerWindow();
    if (!data) {
        // Only what we put there is taken off again.
        if (StillOwned()) {
            d::ClipboardOpen open(owner);
            if (!open.IsOpen())
                return CLIPBRD_E_CANT_OPEN;
            changing_ = true;
            EmptyClipboard();
            changing_ = false;
        }
        *released = Forget();
        return S_OK;
    }
    IEnumFORMATETC* formats = nullptr;
    HRESULT hr = data->EnumFormatEtc(DATADIR_GET, &formats);
    if (FAILED(hr))
        return hr;
    d::ClipboardOpen open(owner);
    if (!open.IsOpen()) {
        formats->Release();
        return CLIPBRD_E_CANT_OPEN;
    }
    changing_ = true;
    const BOOL emptied = EmptyClipboard();
    changing_ = false;
    if (!emptied) {
        formats->Release();
        return CLIPBRD_E_CANT_EMPTY;
    }
    *released = Forget();
    // Rendered now: nothing here can wait for the clipboard to ask.
    FORMATETC format{};
    hr = S_OK;
    while (formats->Next(1, &format, nullptr) == S_OK) {
        if (!(format.tymed & TYMED_HGLOBAL))
            continue;
        FORMATETC request = GlobalFormat(format.cfFormat);
        STGMEDIUM medium{};
        if (FAILED(data->GetData(&request, &medium)))
            continue;
        HGLOBAL block = medium.pUnkForRelease ? DuplicateGlobal(medium.hGlobal) : medium.hGlobal;
        if (medium.pUnkForRelease)
            ReleaseStgMedium(&medium);
        if (!block || !SetClipboardData(format.cfFormat, block)) {
            if (block)
                GlobalFree(block);
            hr = CLIPBRD_E_CANT_SET;
        }
    }
    formats->Release();
    data->AddRef();
    current_ = data;
    onReleased_ = std::move(onReleased);
    return hr;
}

HRESULT OleClipboardState::Flush()
{
    Released released;
    {
        std::lock_guard lock(mutex_);
        released = Forget();
    }
    if (released)
        released();
    return S_OK;
}

bool OleClipboardState::IsCurrent(IDataObject* data)
{
    std::lock_guard lock(mutex_);
    return data && data == current_ && StillOwned();
}

}  // namespace tw::ole

HRESULT OleSetClipboard(LPDATAOBJECT pDataObj)
{
    return tw::ole::OleClipboardState::Instance().Set(pDataObj);
}

HRESULT OleGetClipboard(LPDATAOBJECT* ppDataObj)
{
    if (!ppDataObj)
        return E_INVALIDARG;
    *ppDataObj = new tw::ole::ClipboardDataObject;
    return S_OK;
}

HRESULT OleFlushClipboard()
{
    return tw::ole::OleClipboardState::Instance().Flush();
}

HRESULT OleIsCurrentClipboard(LPDATAOBJECT pDataObj)
{
    return tw::ole::OleClipboardState::Instance().IsCurrent(pDataObj) ? S_OK : S_FALSE;
}
