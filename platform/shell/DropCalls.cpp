// The receiving end of dropped files: reading the handle WM_DROPFILES carries.
#include <cstring>

#include "platform/shell/shellapi.h"
#include "platform/win32/kernel/GlobalMemory.h"

namespace {

// The paths of a drop handle, read under its lock.
class DropReader {
public:
    explicit DropReader(HDROP drop) : block_(HGLOBAL(drop)), base_(static_cast<const char*>(GlobalLock(block_))) {}
    ~DropReader()
    {
        if (base_)
            GlobalUnlock(block_);
    }
    DropReader(const DropReader&) = delete;
    DropReader& operator=(const DropReader&) = delete;

    bool Valid() const { return base_ != nullptr; }
    const DROPFILES& Header() const { return *reinterpret_cast<const DROPFILES*>(base_); }

    // Null past the last path.
    const char* Path(UINT index) const
    {
        const char* path = base_ + Header().pFiles;
        for (UINT i = 0; i < index && *path; ++i)
            path += std::strlen(path) + 1;
        return *path ? path : nullptr;
    }

    UINT Count() const
    {
        UINT count = 0;
        while (Path(count))
            ++count;
        return count;
    }

private:
    HGLOBAL block_;
    const char* base_;
};

// The longest prefix of `text` within `limit` bytes that ends on a character boundary.
size_t WholeCharacterPrefix(const char* text, size_t length, size_t limit)
{
    if (length <= limit)
        return length;
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

}  // namespace

void DragAcceptFiles(HWND hWnd, BOOL fAccept)
{
    const LONG exStyle = GetWindowLong(hWnd, GWL_EXSTYLE);
    const LONG wanted = fAccept ? (exStyle | WS_EX_ACCEPTFILES) : (exStyle & ~WS_EX_ACCEPTFILES);
    if (wanted != exStyle)
        SetWindowLong(hWnd, GWL_EXSTYLE, wanted);
}

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    DropReader reader(hDrop);
    if (!reader.Valid())
        return 0;
    if (iFile == 0xFFFFFFFF)
        return reader.Count();
    const char* path = reader.Path(iFile);
    if (!path)
        return 0;
    const size_t length = std::strlen(path);
    if (!lpszFile)
        return UINT(length);
    if (cch == 0)
        return 0;
    const size_t copied = WholeCharacterPrefix(path, length, cch - 1);
    std::memcpy(lpszFile, path, copied);
    lpszFile[copied] = '\0';
    return UINT(copied);
}

BOOL DragQueryPoint(HDROP hDrop, POINT* lppt)
{
    DropReader reader(hDrop);
    if (!reader.Valid() || !lppt)
        return FALSE;
    *lppt = reader.Header().pt;
    return !reader.Header().fNC;
}

void DragFinish(HDROP hDrop)
{
    GlobalFree(HGLOBAL(hDrop));
}
