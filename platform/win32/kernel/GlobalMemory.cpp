#include "platform/win32/kernel/GlobalMemory.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace tw {
namespace gmem_detail {

struct Block {
    void* data = nullptr;
    SIZE_T size = 0;
    UINT flags = 0;
    unsigned locks = 0;
};

struct BlockTable {
    std::mutex mutex;
    // Keyed by handle: the address for fixed blocks, a token for moveable ones.
    std::unordered_map<uintptr_t, Block> blocks;
    // Moveable tokens are 8 more than a multiple of 16, so they never equal
    // an address from malloc, which is 16-byte aligned.
    uintptr_t nextToken = 0x10008;
};

BlockTable& Blocks()
{
    static BlockTable table;
    return table;
}

uintptr_t Key(HGLOBAL h)
{
    return reinterpret_cast<uintptr_t>(h);
}

// malloc(0) may give null; a zero-byte block still needs an address.
void* Allocate(SIZE_T bytes, bool zero)
{
    void* p = zero ? calloc(bytes ? bytes : 1, 1) : malloc(bytes ? bytes : 1);
    return p;
}

Block* Find(BlockTable& table, HGLOBAL h)
{
    auto it = table.blocks.find(Key(h));
    return it == table.blocks.end() ? nullptr : &it->second;
}

}  // namespace gmem_detail
}  // namespace tw

namespace gm_ = tw::gmem_detail;

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    void* data = gm_::Allocate(dwBytes, (uFlags & GMEM_ZEROINIT) != 0);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    uintptr_t key = reinterpret_cast<uintptr_t>(data);
    if (uFlags & GMEM_MOVEABLE) {
        key = table.nextToken;
        table.nextToken += 16;
    }
    table.blocks[key] = gm_::Block{data, dwBytes, uFlags, 0};
    return reinterpret_cast<HGLOBAL>(key);
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    gm_::Block* block = gm_::Find(table, hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (uFlags & GMEM_MODIFY)
        return hMem;
    const bool moveable = (block->flags & GMEM_MOVEABLE) != 0;
    // A fixed block may move only when the caller allows it; a locked
    // moveable block may not move either.
    const bool mayMove = moveable ? block->locks == 0 : (uFlags & GMEM_MOVEABLE) != 0;
    if (!mayMove) {
        // Only shrinking can be done in place for sure.
        if (dwBytes > block->size) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return nullptr;
        }
        block->size = dwBytes;
        return hMem;
    }
    void* grown = realloc(block->data, dwBytes ? dwBytes : 1);
    if (!grown) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > block->size)
        memset(static_cast<char*>(grown) + block->size, 0, dwBytes - block->size);
    block->data = grown;
    block->size = dwBytes;
    if (moveable)
        return hMem;
    gm_::Block moved = *block;
    table.blocks.erase(gm_::Key(hMem));
    table.blocks[reinterpret_cast<uintptr_t>(grown)] = moved;
    return reinterpret_cast<HGLOBAL>(grown);
}

LPVOID GlobalLock(HGLOBAL hMem)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    gm_::Block* block = gm_::Find(table, hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if ((block->flags & GMEM_MOVEABLE) && block->locks < GMEM_LOCKCOUNT)
        ++block->locks;
    return block->data;
}

BOOL GlobalUnlock(HGLOBAL hMem)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    gm_::Block* block = gm_::Find(table, hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!(block->flags & GMEM_MOVEABLE))
        return TRUE;
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    if (block->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

SIZE_T GlobalSize(HGLOBAL hMem)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    gm_::Block* block = gm_::Find(table, hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}

UINT GlobalFlags(HGLOBAL hMem)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    gm_::Block* block = gm_::Find(table, hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return GMEM_INVALID_HANDLE;
    }
    return (block->flags & (GMEM_DISCARDABLE | GMEM_DDESHARE)) | block->locks;
}

HGLOBAL GlobalHandle(LPCVOID pMem)
{
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    for (const auto& [key, block] : table.blocks) {
        if (block.data == pMem)
            return reinterpret_cast<HGLOBAL>(key);
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (!hMem)
        return nullptr;
    auto& table = gm_::Blocks();
    std::lock_guard lock(table.mutex);
    auto it = table.blocks.find(gm_::Key(hMem));
    if (it == table.blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    free(it->second.data);
    table.blocks.erase(it);
    return nullptr;
}

HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    return GlobalAlloc(uFlags, uBytes);
}

HLOCAL LocalFree(HLOCAL hMem)
{
    return GlobalFree(hMem);
}

LPVOID LocalLock(HLOCAL hMem)
{
    return GlobalLock(hMem);
}

BOOL LocalUnlock(HLOCAL hMem)
{
    return GlobalUnlock(hMem);
}

HANDLE GetProcessHeap()
{
    static char heapTag;
    return &heapTag;
}

LPVOID HeapAlloc(HANDLE, DWORD dwFlags, SIZE_T dwBytes)
{
    return GlobalAlloc((dwFlags & HEAP_ZERO_MEMORY) ? GMEM_ZEROINIT : GMEM_FIXED, dwBytes);
}

BOOL HeapFree(HANDLE, DWORD, LPVOID lpMem)
{
    return GlobalFree(lpMem) == nullptr ? TRUE : FALSE;
}
