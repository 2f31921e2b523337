// Sounds: wave files and images played through the desktop's audio device.
#pragma once

#include "platform/win32/windef.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_NOWAIT 0x00002000L
#define SND_ALIAS 0x00010000L
#define SND_FILENAME 0x00020000L

// pszSound null (or SND_PURGE) stops what plays. An alias is looked up under
// "AppEvents\\Schemes\\Apps\\.Default\\<alias>\\.Current" of the current user;
// one with no file falls back to "SystemDefault" unless SND_NODEFAULT. FALSE
// when there is no audio device, the sound cannot be read or none is set.
BOOL PlaySound(LPCSTR pszSound, HMODULE hmod, DWORD fdwSound);
// pszSound is a file name or alias; fuSound takes SND_ASYNC, SND_NODEFAULT,
// SND_MEMORY and SND_NOSTOP.
BOOL sndPlaySound(LPCSTR pszSound, UINT fuSound);
