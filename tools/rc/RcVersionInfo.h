// The version resource (RT_VERSION): a tree of blocks, each a length, a value
// length, a type (0 binary, 1 text), a UTF-16 key and a value, DWORD aligned,
// with VS_FIXEDFILEINFO as the root's value.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::rc {

struct VersionNode {
    std::string key;
    bool isText = false;
    std::string text;          // a text value, written with its terminating zero
    std::vector<BYTE> binary;  // a binary value
    std::vector<VersionNode> children;
};

struct FixedFileInfo {
    DWORD fileVersionMS = 0, fileVersionLS = 0;
    DWORD productVersionMS = 0, productVersionLS = 0;
    DWORD fileFlagsMask = 0, fileFlags = 0, fileOS = 0, fileType = 0, fileSubtype = 0;
};

std::vector<BYTE> WriteVersionInfo(const FixedFileInfo& fixed, const std::vector<VersionNode>& blocks);

}  // namespace tw::rc
