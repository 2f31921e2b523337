// Dialog-init data (RT_DLGINIT): records of a control id, a message and its
// data, ended by a zero WORD. The data of a list or combo record is a
// zero-terminated string to add; a hosted control's record carries its saved
// state, bytes that only that control reads.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windef.h"

namespace tw::res {

enum : WORD {
    kDlgInitListAddString = 0x0180,   // LB_ADDSTRING
    kDlgInitComboAddString = 0x0143,  // CB_ADDSTRING
    kDlgInitControlState = 0x0376,    // WM_OCC_LOADFROMSTREAM
    // The 16-bit numbers that older tables carry for the two adds.
    kDlgInitLegacyListAdd = 0x0401,
    kDlgInitLegacyComboAdd = 0x0403,
};

struct DlgInitRecord {
    WORD controlId = 0;
    WORD message = 0;
    std::vector<BYTE> data;

    bool IsAddString() const { return message == kDlgInitListAddString || message == kDlgInitComboAddString; }
    // The string of an add record, without its terminating zero.
    std::string Text() const;
    bool operator==(const DlgInitRecord&) const = default;
};

std::vector<BYTE> WriteDlgInit(const std::vector<DlgInitRecord>& records);
// Legacy add messages come back as LB_ADDSTRING and CB_ADDSTRING; nullopt when
// a record runs past the data.
std::optional<std::vector<DlgInitRecord>> ParseDlgInit(const void* data, size_t size);

// The saved state of a hosted control: the data of the kDlgInitControlState
// record for controlId in the dialog-init resource of the template, or
// nullopt when the template has none (the control then starts fresh).
std::optional<std::vector<BYTE>> LoadControlState(HINSTANCE module, LPCSTR templateName, WORD controlId);

}  // namespace tw::res
