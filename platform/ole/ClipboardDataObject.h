// The clipboard seen as a data object, and the object that OleSetClipboard
// put there. Everything the clipboard holds in global memory is offered, and
// a bitmap as a GDI handle (TYMED_GDI) the caller owns; each GetData reads the
// clipboard as it is at that moment.
#pragma once

#include <functional>
#include <mutex>

#include "platform/ole/oleidl.h"

namespace tw::ole {

class ClipboardDataObject final : public ComObject<IDataObject> {
public:
    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;
};

// Which data object the clipboard holds for OleSetClipboard. The clipboard
// lets go of it when another is set, when it is flushed, when something else
// empties the clipboard and when its owner window is destroyed.
class OleClipboardState {
public:
    // Called once the clipboard has let go of the data object it was given with.
    using Released = std::function<void()>;

    static OleClipboardState& Instance();

    HRESULT Set(IDataObject* data, Released onReleased = {});
    HRESULT Flush();
    bool IsCurrent(IDataObject* data);

private:
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT SetLocked(IDataObject* data, Released onReleased, Released* released);
    // The clipboard's data are gone without our asking (emptied by another, or our window destroyed).
    void Lost(HWND hwnd);
    HWND OwnerWindow();
    // Whether what OleSetClipboard put on the clipboard is still there.
    bool StillOwned();
    // Releases the data object; the caller runs what is returned once the lock is dropped.
    Released Forget();

    std::recursive_mutex mutex_;
    IDataObject* current_ = nullptr;
    Released onReleased_;
    HWND owner_ = nullptr;
    // Set while Set itself empties the clipboard.
    bool changing_ = false;
};

}  // namespace tw::ole
