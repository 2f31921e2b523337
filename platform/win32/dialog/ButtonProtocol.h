// The few button and edit messages the dialog manager sends to its controls
// (default-button styles, checks, clicks, selecting an edit's text). Kept as
// our own constants so this library does not lean on the controls' header.
#pragma once

#include "platform/win32/windef.h"

namespace tw::dlg {

constexpr UINT kBmGetCheck = 0x00F0;
constexpr UINT kBmSetCheck = 0x00F1;
constexpr UINT kBmSetStyle = 0x00F4;
constexpr UINT kBmClick = 0x00F5;
constexpr UINT kEmSetSel = 0x00B1;

constexpr DWORD kBsPushButton = 0x0;
constexpr DWORD kBsDefPushButton = 0x1;
constexpr DWORD kBsCheckBox = 0x2;
constexpr DWORD kBsAutoCheckBox = 0x3;
constexpr DWORD kBsRadioButton = 0x4;
constexpr DWORD kBs3State = 0x5;
constexpr DWORD kBsAuto3State = 0x6;
constexpr DWORD kBsGroupBox = 0x7;
constexpr DWORD kBsAutoRadioButton = 0x9;
constexpr DWORD kBsTypeMask = 0xF;

constexpr WORD kBnClicked = 0;
constexpr DWORD kSsNoPrefix = 0x80;
constexpr DWORD kSsTypeMask = 0x1F;

}  // namespace tw::dlg
