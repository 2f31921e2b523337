#include "platform/com/TaskMemory.h"

#include <cstdlib>
#include <cstring>

namespace {

// Each block carries its size in front, so GetSize can answer.
constexpr size_t kTaskHeader = 16;

unsigned char* TaskHeaderOf(void* pv)
{
    return static_cast<unsigned char*>(pv) - kTaskHeader;
}

SIZE_T TaskBlockSize(void* pv)
{
    SIZE_T size = 0;
    std::memcpy(&size, TaskHeaderOf(pv), sizeof size);
    return size;
}

void* TaskAllocate(SIZE_T cb)
{
    auto* block = static_cast<unsigned char*>(std::malloc(kTaskHeader + cb));
    if (!block)
        return nullptr;
    std::memcpy(block, &cb, sizeof cb);
    return block + kTaskHeader;
}

class TaskAllocator final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (!IsEqualIID(riid, IID_IMalloc) && !IsEqualIID(riid, IID_IUnknown)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IMalloc*>(this);
        return S_OK;
    }
    // The one allocator lives as long as the process.
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T cb) override { return CoTaskMemAlloc(cb); }
    void* Realloc(void* pv, SIZE_T cb) override { return CoTaskMemRealloc(pv, cb); }
    void Free(void* pv) override { CoTaskMemFree(pv); }
    SIZE_T GetSize(void* pv) override { return pv ? TaskBlockSize(pv) : static_cast<SIZE_T>(-1); }
    int DidAlloc(void* pv) override { return pv ? -1 : 0; }
    void HeapMinimize() override {}
};

} // namespace

LPVOID CoTaskMemAlloc(SIZE_T cb)
{
    return TaskAllocate(cb);
}

LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb)
{
    if (!pv)
        return TaskAllocate(cb);
    if (cb == 0) {
        CoTaskMemFree(pv);
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::realloc(TaskHeaderOf(pv), kTaskHeader + cb));
    if (!block)
        return nullptr;
    std::memcpy(block, &cb, sizeof cb);
    return block + kTaskHeader;
}

void CoTaskMemFree(LPVOID pv)
{
    if (pv)
        std::free(TaskHeaderOf(pv));
}

HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc)
{
    if (!ppMalloc)
        return E_INVALIDARG;
    *ppMalloc = nullptr;
    if (dwMemContext != MEMCTX_TASK)
        return E_INVALIDARG;
    static TaskAllocator allocator;
    *ppMalloc = &allocator;
    return S_OK;
}
