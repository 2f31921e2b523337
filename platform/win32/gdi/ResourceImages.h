// Images from a module's resources: a BITMAP resource is a DIB without its
// file header; an ICON or CURSOR resource is a group naming one image per size.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::gdi {

// The BMP file bytes of a BITMAP resource, so one decoder reads both; empty
// when the module has no such bitmap or its header is damaged.
std::vector<uint8_t> ResourceBitmapFile(HINSTANCE module, LPCSTR name);

// An icon or cursor of the group resource `name`, the image nearest to
// cx x cy (0 x 0: the group's first image), scaled to that size when needed.
HICON ResourceIcon(HINSTANCE module, LPCSTR name, bool cursor, int cx, int cy);

}  // namespace tw::gdi
