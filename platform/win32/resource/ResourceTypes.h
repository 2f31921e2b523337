// Resource type identifiers and language ids.
#pragma once

#include "platform/win32/kernel/ErrorText.h"
#include "platform/win32/windef.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINCLUDE MAKEINTRESOURCE(17)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)
// The framework's own types: dialog-init data and toolbar layouts.
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// MAKELANGID, LANG_NEUTRAL, LANG_ENGLISH and the sub-languages come with the
// kernel's error texts; the two that take a language id apart are added here.
#ifndef PRIMARYLANGID
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#endif
#ifndef SUBLANGID
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#endif
