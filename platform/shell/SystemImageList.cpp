#include "platform/shell/SystemImageList.h"

#include <algorithm>
#include <cctype>
#include <mutex>

#include "platform/win32/gdi/wingdi.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/user/winuser.h"

namespace tw::shell {

namespace {

constexpr COLORREF kIconMask = RGB(255, 0, 255);

struct IconPainter {
    HDC dc;
    int size;

    // A rectangle given in sixteenths of the icon.
    void Fill(int left, int top, int right, int bottom, COLORREF color) const
    {
        const RECT r{left * size / 16, top * size / 16, right * size / 16, bottom * size / 16};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }

    void Outlined(int left, int top, int right, int bottom, COLORREF fill) const
    {
        Fill(left, top, right, bottom, RGB(64, 64, 64));
        const int inset = 1;
        const RECT r{left * size / 16 + inset, top * size / 16 + inset, right * size / 16 - inset,
                     bottom * size / 16 - inset};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
};

void PaintSystemIcon(const IconPainter& p, int icon)
{
    switch (icon) {
    case kIconDocument:
        p.Outlined(3, 1, 13, 15, RGB(255, 255, 255));
        break;
    case kIconText:
        p.Outlined(3, 1, 13, 15, RGB(255, 255, 255));
        for (int line = 4; line <= 12; line += 2)
            p.Fill(5, line, 11, line + 1, RGB(0, 0, 128));
        break;
    case kIconFolder:
        p.Outlined(1, 3, 7, 6, RGB(236, 200, 96));
        p.Outlined(1, 5, 15, 14, RGB(244, 212, 112));
        break;
    case kIconFolderOpen:
        p.Outlined(1, 3, 7, 6, RGB(236, 200, 96));
        p.Outlined(1, 5, 14, 14, RGB(220, 184, 80));
        p.Outlined(3, 8, 15, 14, RGB(252, 228, 140));
        break;
    case kIconProgram:
        p.Outlined(1, 2, 15, 14, RGB(255, 255, 255));
        p.Fill(2, 3, 14, 5, RGB(10, 36, 106));
        break;
    case kIconDrive:
        p.Outlined(1, 6, 15, 12, RGB(192, 192, 192));
        p.Fill(11, 9, 13, 10, RGB(0, 160, 0));
        break;
    default:
        break;
    }
}

HIMAGELIST MakeSystemImageList(int size)
{
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kSystemIconCount, 4);
    if (!list)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP strip = CreateCompatibleBitmap(screen, size * kSystemIconCount, size);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(memory, strip);
    const RECT whole{0, 0, size * kSystemIconCount, size};
    HBRUSH background = CreateSolidBrush(kIconMask);
    FillRect(memory, &whole, background);
    DeleteObject(background);
    for (int icon = 0; icon < kSystemIconCount; ++icon) {
        SetViewportOrgEx(memory, icon * size, 0, nullptr);
        PaintSystemIcon(IconPainter{memory, size}, icon);
    }
    SetViewportOrgEx(memory, 0, 0, nullptr);
    SelectObject(memory, previous);
    DeleteDC(memory);
    const bool added = ImageList_AddMasked(list, strip, kIconMask) >= 0;
    DeleteObject(strip);
    if (!added) {
        ImageList_Destroy(list);
        return nullptr;
    }
    return list;
}

std::string LowerExtension(const std::string& name)
{
    const auto slash = name.find_last_of("/\\");
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

}  // namespace

HIMAGELIST SystemImageList(bool small)
{
    static std::once_flag made;
    static HIMAGELIST smallList = nullptr;
    static HIMAGELIST largeList = nullptr;
    std::call_once(made, [] {
        smallList = MakeSystemImageList(GetSystemMetrics(SM_CXSMICON));
        largeList = MakeSystemImageList(GetSystemMetrics(SM_CXICON));
    });
    return small ? smallList : largeList;
}

int SystemIconFor(const std::string& name, DWORD attributes, bool open, bool executable)
{
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        if (name == "/")
            return kIconDrive;
        return open ? kIconFolderOpen : kIconFolder;
    }
    const std::string extension = LowerExtension(name);
    if (extension == "exe" || extension == "com" || extension == "bat" || executable)
        return kIconProgram;
    static const char* const kTextExtensions[] = {"txt", "sql", "log", "ini", "csv", "xml", "htm", "html"};
    for (const char* text : kTextExtensions) {
        if (extension == text)
            return kIconText;
    }
    return kIconDocument;
}

}  // namespace tw::shell
