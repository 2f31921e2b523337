// The system image lists of file icons (small 16x16, large 32x32) and the
// icon each kind of file gets in them.
#pragma once

#include <string>

#include "platform/comctl/commctrl.h"

namespace tw::shell {

enum SystemIcon : int {
    kIconDocument = 0,
    kIconFolder = 1,
    kIconFolderOpen = 2,
    kIconText = 3,
    kIconProgram = 4,
    kIconDrive = 5,
    kSystemIconCount
};

// Made once, kept for the life of the process as the platform's are. Null
// when the image list cannot be made.
HIMAGELIST SystemImageList(bool small);

// The icon for a file of that name and attributes (FILE_ATTRIBUTE_DIRECTORY...).
int SystemIconFor(const std::string& name, DWORD attributes, bool open, bool executable);

}  // namespace tw::shell
