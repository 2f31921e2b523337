// The shell's allocator: one process-wide object over the C heap. Every block
// keeps its size in front so GetSize and Realloc need no lookup.
#include <cstdlib>
#include <cstring>

#include "platform/shell/shlobj.h"
#include "platform/win32/winerror.h"

namespace {

struct alignas(std::max_align_t) ShellBlockHeader {
    SIZE_T size;
    const void* owner;
};

class ShellMalloc final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IMalloc)) {
            *ppv = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The allocator lives as long as the process.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }

    void* Alloc(SIZE_T cb) override
    {
        auto* header = static_cast<ShellBlockHeader*>(std::malloc(sizeof(ShellBlockHeader) + cb));
        if (!header)
            return nullptr;
        header->size = cb;
        header->owner = this;
        return header + 1;
    }

    void* Realloc(void* pv, SIZE_T cb) override
    {
        if (!pv)
            return Alloc(cb);
        if (cb == 0) {
            Free(pv);
            return nullptr;
        }
        auto* header = static_cast<ShellBlockHeader*>(std::realloc(HeaderOf(pv), sizeof(ShellBlockHeader) + cb));
        if (!header)
            return nullptr;
        header->size = cb;
        return header + 1;
    }

    void Free(void* pv) override
    {
        if (pv)
            std::free(HeaderOf(pv));
    }

    SIZE_T GetSize(void* pv) override { return pv ? HeaderOf(pv)->size : SIZE_T(-1); }
    int DidAlloc(void* pv) override { return pv ? HeaderOf(pv)->owner == this : -1; }
    void HeapMinimize() override {}

private:
    static ShellBlockHeader* HeaderOf(void* pv) { return static_cast<ShellBlockHeader*>(pv) - 1; }
};

}  // namespace

HRESULT SHGetMalloc(IMalloc** ppMalloc)
{
    if (!ppMalloc)
        return E_INVALIDARG;
    static ShellMalloc allocator;
    *ppMalloc = &allocator;
    allocator.AddRef();
    return S_OK;
}
