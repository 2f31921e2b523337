#include "platform/com/SafeArray.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/com/Bstr.h"
#include "platform/com/Unknown.h"
#include "platform/com/Variant.h"

namespace {

// The descriptor is preceded by a 16-byte header whose last four bytes hold
// the element VARTYPE, where the platform keeps it.
constexpr size_t kSafeArrayHeader = 16;
constexpr ULONG kMaxLocks = 65535;

size_t ElementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
        return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
        return sizeof(void*);
    case VT_VARIANT:
        return sizeof(VARIANT);
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    default:
        return 0;
    }
}

USHORT FeaturesFor(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR:
        return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_UNKNOWN:
        return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_DISPATCH:
        return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_VARIANT:
        return FADF_HAVEVARTYPE | FADF_VARIANT;
    default:
        return FADF_HAVEVARTYPE;
    }
}

unsigned char* HeaderOf(SAFEARRAY* psa)
{
    return reinterpret_cast<unsigned char*>(psa) - kSafeArrayHeader;
}

VARTYPE StoredVartype(SAFEARRAY* psa)
{
    DWORD stored = 0;
    std::memcpy(&stored, HeaderOf(psa) + kSafeArrayHeader - sizeof(DWORD), sizeof(DWORD));
    return static_cast<VARTYPE>(stored);
}

bool CountElements(USHORT cDims, const SAFEARRAYBOUND* bounds, size_t elementSize, size_t& count)
{
    count = 1;
    for (USHORT i = 0; i < cDims; ++i) {
        const size_t n = bounds[i].cElements;
        if (n != 0 && count > std::numeric_limits<size_t>::max() / n)
            return false;
        count *= n;
    }
    return count <= (std::numeric_limits<LONG>::max() / (elementSize ? elementSize : 1));
}

size_t TotalElements(SAFEARRAY* psa)
{
    size_t count = 1;
    for (USHORT i = 0; i < psa->cDims; ++i)
        count *= psa->rgsabound[i].cElements;
    return count;
}

SAFEARRAY* AllocateDescriptor(VARTYPE vt, USHORT cDims)
{
    const size_t size = kSafeArrayHeader + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, size));
    if (!block)
        return nullptr;
    const DWORD stored = vt;
    std::memcpy(block + kSafeArrayHeader - sizeof(DWORD), &stored, sizeof(DWORD));
    auto* psa = reinterpret_cast<SAFEARRAY*>(block + kSafeArrayHeader);
    psa->cDims = cDims;
    psa->fFeatures = FeaturesFor(vt);
    psa->cbElements = static_cast<ULONG>(ElementSize(vt));
    return psa;
}

void ReleaseElements(SAFEARRAY* psa, size_t first, size_t end)
{
    auto* data = static_cast<unsigned char*>(psa->pvData);
    if (!data)
        return;
    for (size_t i = first; i < end; ++i) {
        void* element = data + i * psa->cbElements;
        if (psa->fFeatures & FADF_BSTR) {
            SysFreeString(*static_cast<BSTR*>(element));
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            if (auto* unknown = *static_cast<IUnknown**>(element))
                unknown->Release();
        } else if (psa->fFeatures & FADF_VARIANT) {
            VariantClear(static_cast<VARIANT*>(element));
        }
    }
    std::memset(data + first * psa->cbElements, 0, (end - first) * psa->cbElements);
}

// Offset of an element; the leftmost dimension varies fastest in memory.
bool ElementOffset(SAFEARRAY* psa, const LONG* rgIndices, size_t& offset)
{
    size_t index = 0;
    size_t stride = 1;
    for (int dim = psa->cDims - 1; dim >= 0; --dim) {
        const SAFEARRAYBOUND& bound = psa->rgsabound[dim];
        const long long position = static_cast<long long>(rgIndices[dim]) - bound.lLbound;
        if (position < 0 || position >= static_cast<long long>(bound.cElements))
            return false;
        index += static_cast<size_t>(position) * stride;
        stride *= bound.cElements;
    }
    offset = index * psa->cbElements;
    return true;
}

HRESULT CopyElementOut(SAFEARRAY* psa, const void* element, void* pv)
{
    if (psa->fFeatures & FADF_BSTR) {
        const BSTR source = *static_cast<const BSTR*>(element);
        BSTR copy = source ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source))
                           : nullptr;
        if (source && !copy)
            return E_OUTOFMEMORY;
        *static_cast<BSTR*>(pv) = copy;
        return S_OK;
    }
    if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* unknown = *static_cast<IUnknown* const*>(element);
        if (unknown)
            unknown->AddRef();
        *static_cast<IUnknown**>(pv) = unknown;
        return S_OK;
    }
    if (psa->fFeatures & FADF_VARIANT) {
        auto* target = static_cast<VARIANT*>(pv);
        VariantInit(target);
        return VariantCopy(target, static_cast<const VARIANT*>(element));
    }
    std::memcpy(pv, element, psa->cbElements);
    return S_OK;
}

HRESULT CopyElementIn(SAFEARRAY* psa, void* element, void* pv)
{
    if (psa->fFeatures & FADF_BSTR) {
        const BSTR source = static_cast<BSTR>(pv);
        BSTR copy = source ? SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source))
                           : nullptr;
        if (source && !copy)
            return E_OUTOFMEMORY;
        SysFreeString(*static_cast<BSTR*>(element));
        *static_cast<BSTR*>(element) = copy;
        return S_OK;
    }
    if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* incoming = static_cast<IUnknown*>(pv);
        if (incoming)
            incoming->AddRef();
        IUnknown*& slot = *static_cast<IUnknown**>(element);
        if (slot)
            slot->Release();
        slot = incoming;
        return S_OK;
    }
    if (psa->fFeatures & FADF_VARIANT)
        return VariantCopy(static_cast<VARIANT*>(element), static_cast<const VARIANT*>(pv));
    std::memcpy(element, pv, psa->cbElements);
    return S_OK;
}

} // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT cDims, SAFEARRAYBOUND* rgsabound)
{
    const size_t elementSize = ElementSize(vt);
    if (elementSize == 0 || cDims == 0 || cDims > 0xFFFF || !rgsabound)
        return nullptr;
    size_t count = 0;
    if (!CountElements(static_cast<USHORT>(cDims), rgsabound, elementSize, count))
        return nullptr;
    SAFEARRAY* psa = AllocateDescriptor(vt, static_cast<USHORT>(cDims));
    if (!psa)
        return nullptr;
    for (UINT i = 0; i < cDims; ++i)
        psa->rgsabound[i] = rgsabound[cDims - 1 - i];
    psa->pvData = std::calloc(count ? count : 1, elementSize);
    if (!psa->pvData) {
        std::free(HeaderOf(psa));
        return nullptr;
    }
    return psa;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    SAFEARRAYBOUND bound{cElements, lLbound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    ReleaseElements(psa, 0, TotalElements(psa));
    std::free(psa->pvData);
    std::free(HeaderOf(psa));
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* psa)
{
    return psa ? psa->cDims : 0;
}

UINT SafeArrayGetElemsize(SAFEARRAY* psa)
{
    return psa ? psa->cbElements : 0;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound)
{
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound)
{
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(static_cast<long long>(bound.lLbound) + bound.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    if (!psa || !pvt)
        return E_INVALIDARG;
    *pvt = StoredVartype(psa);
    return S_OK;
}

HRESULT SafeArrayPtrOfIndex(SAFEARRAY* psa, LONG* rgIndices, void** ppvData)
{
    if (!psa || !rgIndices || !ppvData)
        return E_INVALIDARG;
    size_t offset = 0;
    if (!ElementOffset(psa, rgIndices, offset))
        return DISP_E_BADINDEX;
    *ppvData = static_cast<unsigned char*>(psa->pvData) + offset;
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (!psa || !rgIndices || !pv)
        return E_INVALIDARG;
    void* element = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    SafeArrayLock(psa);
    hr = CopyElementOut(psa, element, pv);
    SafeArrayUnlock(psa);
    return hr;
}

HRESULT SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    const bool pointerElements = (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH)) != 0;
    if (!pv && !pointerElements)
        return E_INVALIDARG;
    void* element = nullptr;
    HRESULT hr = SafeArrayPtrOfIndex(psa, rgIndices, &element);
    if (FAILED(hr))
        return hr;
    SafeArrayLock(psa);
    hr = CopyElementIn(psa, element, pv);
    SafeArrayUnlock(psa);
    return hr;
}

HRESULT SafeArrayLock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks >= kMaxLocks)
        return E_UNEXPECTED;
    ++psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (psa->cLocks == 0)
        return E_UNEXPECTED;
    --psa->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    HRESULT hr = SafeArrayLock(psa);
    if (FAILED(hr))
        return hr;
    *ppvData = psa->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* psa)
{
    return SafeArrayUnlock(psa);
}

HRESULT SafeArrayRedim(SAFEARRAY* psa, SAFEARRAYBOUND* psaboundNew)
{
    if (!psa || !psaboundNew)
        return E_INVALIDARG;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    const size_t oldCount = TotalElements(psa);
    // The last dimension varies slowest, so resizing it only grows or cuts
    // the end of the data.
    size_t perSlice = 1;
    for (USHORT i = 1; i < psa->cDims; ++i)
        perSlice *= psa->rgsabound[i].cElements;
    const size_t newCount = perSlice * psaboundNew->cElements;
    if (newCount > std::numeric_limits<LONG>::max() / (psa->cbElements ? psa->cbElements : 1))
        return E_OUTOFMEMORY;
    if (newCount < oldCount)
        ReleaseElements(psa, newCount, oldCount);
    void* resized = std::realloc(psa->pvData, (newCount ? newCount : 1) * psa->cbElements);
    if (!resized)
        return E_OUTOFMEMORY;
    psa->pvData = resized;
    if (newCount > oldCount) {
        std::memset(static_cast<unsigned char*>(resized) + oldCount * psa->cbElements, 0,
                    (newCount - oldCount) * psa->cbElements);
    }
    psa->rgsabound[0] = *psaboundNew;
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    SAFEARRAY* copy = AllocateDescriptor(StoredVartype(psa), psa->cDims);
    if (!copy)
        return E_OUTOFMEMORY;
    for (USHORT i = 0; i < psa->cDims; ++i)
        copy->rgsabound[i] = psa->rgsabound[i];
    const size_t count = TotalElements(psa);
    copy->pvData = std::calloc(count ? count : 1, psa->cbElements);
    if (!copy->pvData) {
        std::free(HeaderOf(copy));
        return E_OUTOFMEMORY;
    }
    auto* from = static_cast<unsigned char*>(psa->pvData);
    auto* to = static_cast<unsigned char*>(copy->pvData);
    for (size_t i = 0; i < count; ++i) {
        void* source = from + i * psa->cbElements;
        void* value = (psa->fFeatures & (FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH)) ? *static_cast<void**>(source)
                                                                                    : source;
        HRESULT hr = CopyElementIn(copy, to + i * psa->cbElements, value);
        if (FAILED(hr)) {
            SafeArrayDestroy(copy);
            return hr;
        }
    }
    *ppsaOut = copy;
    return S_OK;
}
