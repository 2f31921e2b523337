// The clipboard seen as a data object, and the object that OleSetClipboard
// put there. Everything the clipboard holds in global memory is offered;
// each GetData reads the clipboard as it is at that moment.
#pragma once

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

// Which data object the clipboard holds for OleSetClipboard.
class OleClipboardState {
public:
    static OleClipboardState& Instance();

    HRESULT Set(IDataObject* data);
    HRESULT Flush();
    bool IsCurrent(IDataObject* data);

private:
    HWND OwnerWindow();
    // Whether what OleSetClipboard put on the clipboard is still there.
    bool StillOwned();
    void Forget();

    std::mutex mutex_;
    IDataObject* current_ = nullptr;
    HWND owner_ = nullptr;
};

}  // namespace tw::ole
