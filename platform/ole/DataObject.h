// Our data object: formats held in global memory or rendered when asked,
// and the enumerator of their FORMATETCs. Drag sources, the clipboard and the
// framework's data source all hand data over through it.
#pragma once

#include <functional>
#include <mutex>
#include <vector>

#include "platform/ole/oleidl.h"

namespace tw::ole {

// A moveable copy of a global block, NULL when it cannot be made.
HGLOBAL DuplicateGlobal(HGLOBAL source);
// The FORMATETC the framework means by a bare format: content, all of it, global memory.
FORMATETC GlobalFormat(CLIPFORMAT format);

class FormatEnumerator final : public ComObject<IEnumFORMATETC> {
public:
    explicit FormatEnumerator(std::vector<FORMATETC> formats) : formats_(std::move(formats)) {}

    HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumFORMATETC** ppenum) override;

private:
    std::vector<FORMATETC> formats_;
    size_t next_ = 0;
};

class DataObject final : public ComObject<IDataObject> {
public:
    // Makes a new global block for the format, or NULL when it cannot.
    using Renderer = std::function<HGLOBAL(const FORMATETC&)>;

    // Takes ownership of data; a format cached again replaces the old data.
    void Cache(const FORMATETC& format, HGLOBAL data);
    void DelayRender(const FORMATETC& format, Renderer render);
    void Empty();
    std::vector<FORMATETC> Formats() const;

    HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) override;
    HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) override;
    HRESULT QueryGetData(FORMATETC* pformatetc) override;
    HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) override;
    HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) override;
    HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) override;
    HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    HRESULT DUnadvise(DWORD dwConnection) override;
    HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) override;

private:
    ~DataObject() override;

    struct Entry {
        FORMATETC format;
        HGLOBAL data;  // owned; NULL for a delayed one
        Renderer render;
    };
    // The entry that can answer the request, or the HRESULT saying why none can.
    HRESULT Match(const FORMATETC* request, const Entry** found) const;
    void Remove(CLIPFORMAT format);

    mutable std::mutex mutex_;
    std::vector<Entry> entries_;
};

}  // namespace tw::ole
