#include "platform/win32/user/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/display/Display.h"
#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/user/winuser.h"
#include "platform/win32/kernel/GlobalMemory.h"
#include "platform/win32/kernel/Utf8Text.h"
#include "platform/win32/user/AtomTable.h"
#include "platform/win32/user/MessageQueue.h"

namespace tw::user {

namespace clipboard_detail {

std::recursive_mutex g_mutex;

bool IsText(UINT format)
{
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT;
}

std::string ReadText(UINT format, HANDLE data)
{
    std::string text;
    const void* p = GlobalLock(data);
    if (!p)
        return text;
    const SIZE_T size = GlobalSize(data);
    if (format == CF_UNICODETEXT) {
        const auto* units = static_cast<const char16_t*>(p);
        const size_t count = size / sizeof(char16_t);
        for (size_t i = 0; i < count && units[i]; ++i) {
            char32_t c = units[i];
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
                c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
                ++i;
            }
            tw::utf8::Append(c, text);
        }
    } else {
        const char* chars = static_cast<const char*>(p);
        text.assign(chars, strnlen(chars, size));
    }
    GlobalUnlock(data);
    return text;
}

HANDLE MakeText(UINT format, const std::string& text)
{
    if (format != CF_UNICODETEXT) {
        HANDLE h = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        if (char* p = static_cast<char*>(GlobalLock(h))) {
            std::memcpy(p, text.c_str(), text.size() + 1);
            GlobalUnlock(h);
        }
        return h;
    }
    std::u16string units;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        size_t length = 1;
        const char32_t c = tw::utf8::Decode(p, end, length);
        p += length;
        if (c >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    HANDLE h = GlobalAlloc(GMEM_MOVEABLE, (units.size() + 1) * sizeof(char16_t));
    if (auto* out = static_cast<char16_t*>(GlobalLock(h))) {
        std::memcpy(out, units.c_str(), (units.size() + 1) * sizeof(char16_t));
        GlobalUnlock(h);
    }
    return h;
}

bool IsImage(UINT format)
{
    return format == CF_BITMAP || format == CF_DIB;
}

// A packed 32-bit DIB (header, then bottom-up rows) of a bitmap.
HANDLE DibFromBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (!GetObject(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(info.bmWidth) * static_cast<DWORD>(info.bmHeight) * 4;
    HANDLE h = GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
    auto* p = static_cast<BYTE*>(GlobalLock(h));
    if (!p)
        return nullptr;
    std::memcpy(p, &header, sizeof header);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), p + sizeof header,
                                reinterpret_cast<BITMAPINFO*>(p), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    GlobalUnlock(h);
    if (lines <= 0) {
        GlobalFree(h);
        return nullptr;
    }
    return h;
}

HANDLE BitmapFromDib(HANDLE dib)
{
    const auto* p = static_cast<const BYTE*>(GlobalLock(dib));
    if (!p)
        return nullptr;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(p);
    const BITMAPINFOHEADER& header = info->bmiHeader;
    size_t colours = header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? (1u << header.biBitCount) : 0);
    if (header.biCompression == 3 /* BI_BITFIELDS */)
        colours = 3;
    const BYTE* bits = p + header.biSize + colours * sizeof(RGBQUAD);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, &header, CBM_INIT, bits, info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    GlobalUnlock(dib);
    return bitmap;
}

bool DesktopClipboardWanted()
{
    return !tw::display::Display::Instance().IsHeadless();
}

}  // namespace clipboard_detail

Clipboard& Clipboard::Instance()
{
    static Clipboard clipboard;
    return clipboard;
}

Clipboard::Clipboard()
{
    // The memory blocks' table must outlive the clipboard, which frees its
    // blocks at exit: asking it anything makes it first.
    const DWORD error = GetLastError();
    GlobalSize(nullptr);
    SetLastError(error);
}

Clipboard::~Clipboard()
{
    // The data belongs to the clipboard once placed; bitmaps and palettes are
    // left to the drawing layer, whose tables may already be gone.
    for (const Entry& entry : entries_) {
        if (entry.data && entry.format != CF_BITMAP && entry.format != CF_PALETTE)
            GlobalFree(entry.data);
    }
}

bool Clipboard::IsOpenHere() const
{
    return open_ && openThread_ == MessageQueue::CurrentThreadId();
}

Clipboard::Entry* Clipboard::Find(UINT format)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.format == format; });
    return it == entries_.end() ? nullptr : &*it;
}

std::vector<UINT> Clipboard::Formats() const
{
    std::vector<UINT> formats;
    bool anyText = false;
    bool anyImage = false;
    for (const Entry& e : entries_) {
        formats.push_back(e.format);
        anyText |= clipboard_detail::IsText(e.format);
        anyImage |= clipboard_detail::IsImage(e.format);
    }
    if (anyImage) {
        for (UINT image : {CF_DIB, CF_BITMAP}) {
            if (std::find(formats.begin(), formats.end(), image) == formats.end())
                formats.push_back(image);
        }
    }
    if (anyText) {
        for (UINT text : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
            if (std::find(formats.begin(), formats.end(), text) == formats.end())
                formats.push_back(text);
        }
    }
    return formats;
}

void Clipboard::FreeData(UINT format, HANDLE data)
{
    if (!data)
        return;
    if (format == CF_BITMAP || format == CF_PALETTE)
        DeleteObject(data);
    else
        GlobalFree(data);
}

bool Clipboard::Open(HWND hwnd)
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    if (open_ && !IsOpenHere())
        return false;
    open_ = true;
    openThread_ = MessageQueue::CurrentThreadId();
    openWindow_ = hwnd;
    changed_ = false;
    if (clipboard_detail::DesktopClipboardWanted())
        ImportDesktopText();
    return true;
}

bool Clipboard::Close()
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    if (!IsOpenHere())
        return false;
    if (changed_ && clipboard_detail::DesktopClipboardWanted())
        ExportDesktopText();
    open_ = false;
    openThread_ = 0;
    openWindow_ = nullptr;
    return true;
}

bool Clipboard::Empty()
{
    HWND previousOwner;
    {
        std::lock_guard lock(clipboard_detail::g_mutex);
        if (!IsOpenHere())
            return false;
        previousOwner = owner_;
    }
    if (previousOwner && IsWindow(previousOwner))
        SendMessage(previousOwner, WM_DESTROYCLIPBOARD, 0, 0);
    std::lock_guard lock(clipboard_detail::g_mutex);
    for (const Entry& e : entries_)
        FreeData(e.format, e.data);
    entries_.clear();
    owner_ = openWindow_;
    changed_ = true;
    return true;
}

HANDLE Clipboard::Set(UINT format, HANDLE data)
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    if (!IsOpenHere() || format == 0)
        return nullptr;
    if (Entry* existing = Find(format)) {
        if (existing->data != data)
            FreeData(format, existing->data);
        existing->data = data;
        existing->synthesized = false;
    } else {
        entries_.push_back(Entry{format, data, false});
    }
    // New data replaces the conversions made from the old.
    if (clipboard_detail::IsText(format) || clipboard_detail::IsImage(format)) {
        std::erase_if(entries_, [&](const Entry& e) {
            const bool sameKind = clipboard_detail::IsText(format) ? clipboard_detail::IsText(e.format)
                                                                   : clipboard_detail::IsImage(e.format);
            const bool stale = e.synthesized && sameKind && e.format != format;
            if (stale)
                FreeData(e.format, e.data);
            return stale;
        });
    }
    changed_ = true;
    return data;
}

HANDLE Clipboard::Synthesize(UINT format)
{
    if (clipboard_detail::IsImage(format)) {
        const UINT source = format == CF_DIB ? CF_BITMAP : CF_DIB;
        Entry* e = Find(source);
        if (!e || !e->data)
            return nullptr;
        HANDLE made = format == CF_DIB ? clipboard_detail::DibFromBitmap(static_cast<HBITMAP>(e->data))
                                       : clipboard_detail::BitmapFromDib(e->data);
        if (made)
            entries_.push_back(Entry{format, made, true});
        return made;
    }
    if (!clipboard_detail::IsText(format))
        return nullptr;
    for (UINT source : {CF_UNICODETEXT, CF_TEXT, CF_OEMTEXT}) {
        Entry* e = Find(source);
        if (!e || !e->data || source == format)
            continue;
        const std::string text = clipboard_detail::ReadText(source, e->data);
        HANDLE made = clipboard_detail::MakeText(format, text);
        entries_.push_back(Entry{format, made, true});
        return made;
    }
    return nullptr;
}

HANDLE Clipboard::Get(UINT format)
{
    HWND renderer = nullptr;
    {
        std::lock_guard lock(clipboard_detail::g_mutex);
        if (!IsOpenHere())
            return nullptr;
        Entry* e = Find(format);
        if (e && e->data)
            return e->data;
        if (!e)
            return Synthesize(format);
        renderer = owner_;  // delayed rendering: the owner supplies it now
    }
    if (renderer && IsWindow(renderer))
        SendMessage(renderer, WM_RENDERFORMAT, format, 0);
    std::lock_guard lock(clipboard_detail::g_mutex);
    Entry* e = Find(format);
    return e ? e->data : nullptr;
}

bool Clipboard::IsAvailable(UINT format)
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    const auto formats = Formats();
    return std::find(formats.begin(), formats.end(), format) != formats.end();
}

UINT Clipboard::Enumerate(UINT previous)
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    if (!IsOpenHere())
        return 0;
    const auto formats = Formats();
    if (previous == 0)
        return formats.empty() ? 0 : formats.front();
    auto it = std::find(formats.begin(), formats.end(), previous);
    if (it == formats.end() || ++it == formats.end())
        return 0;
    return *it;
}

int Clipboard::Count()
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    return static_cast<int>(Formats().size());
}

HWND Clipboard::Owner()
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    return owner_;
}

HWND Clipboard::OpenWindow()
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    return open_ ? openWindow_ : nullptr;
}

void Clipboard::ForgetWindow(HWND hwnd)
{
    std::lock_guard lock(clipboard_detail::g_mutex);
    if (owner_ == hwnd)
        owner_ = nullptr;
    if (openWindow_ == hwnd)
        openWindow_ = nullptr;
}

// Text someone else put on the desktop clipboard replaces what we hold.
void Clipboard::ImportDesktopText()
{
    std::string text;
    if (!tw::display::Display::Instance().GetClipboardText(text) || text == lastDesktopText_)
        return;
    for (const Entry& e : entries_)
        FreeData(e.format, e.data);
    entries_.clear();
    owner_ = nullptr;
    entries_.push_back(Entry{CF_TEXT, clipboard_detail::MakeText(CF_TEXT, text), false});
    lastDesktopText_ = text;
}

void Clipboard::ExportDesktopText()
{
    HANDLE text = Get(CF_TEXT);
    if (!text)
        return;
    lastDesktopText_ = clipboard_detail::ReadText(CF_TEXT, text);
    tw::display::Display::Instance().SetClipboardText(lastDesktopText_);
}

}  // namespace tw::user

using tw::user::Clipboard;

BOOL OpenClipboard(HWND hWndNewOwner)
{
    return Clipboard::Instance().Open(hWndNewOwner) ? TRUE : FALSE;
}

BOOL CloseClipboard()
{
    return Clipboard::Instance().Close() ? TRUE : FALSE;
}

BOOL EmptyClipboard()
{
    return Clipboard::Instance().Empty() ? TRUE : FALSE;
}

HANDLE SetClipboardData(UINT uFormat, HANDLE hMem)
{
    return Clipboard::Instance().Set(uFormat, hMem);
}

HANDLE GetClipboardData(UINT uFormat)
{
    return Clipboard::Instance().Get(uFormat);
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    return Clipboard::Instance().IsAvailable(format) ? TRUE : FALSE;
}

UINT RegisterClipboardFormat(LPCSTR lpszFormat)
{
    return tw::user::AtomTable::Instance().Register(lpszFormat);
}

UINT EnumClipboardFormats(UINT format)
{
    return Clipboard::Instance().Enumerate(format);
}

int CountClipboardFormats()
{
    return Clipboard::Instance().Count();
}

HWND GetClipboardOwner()
{
    return Clipboard::Instance().Owner();
}

HWND GetOpenClipboardWindow()
{
    return Clipboard::Instance().OpenWindow();
}

int GetClipboardFormatName(UINT format, LPSTR lpszFormatName, int cchMaxCount)
{
    if (!lpszFormatName || cchMaxCount <= 0)
        return 0;
    const std::string name = tw::user::AtomTable::Instance().NameOf(format);
    if (name.empty())
        return 0;
    const size_t n = std::min(name.size(), static_cast<size_t>(cchMaxCount - 1));
    std::memcpy(lpszFormatName, name.data(), n);
    lpszFormatName[n] = '\0';
    return static_cast<int>(n);
}
