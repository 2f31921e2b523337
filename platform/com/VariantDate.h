// DATE: days since midnight 12/30/1899 as a double, the fraction being the
// time of day; for days before that, the fraction still counts forward
// (-1.25 is 12/29/1899 6:00 AM). Valid from 1/1/100 to 12/31/9999.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/OleTypes.h"

INT SystemTimeToVariantTime(LPSYSTEMTIME systemTime, DATE* variantTime);
INT VariantTimeToSystemTime(DATE variantTime, LPSYSTEMTIME systemTime);

#define VAR_TIMEVALUEONLY ((DWORD)0x00000001)
#define VAR_DATEVALUEONLY ((DWORD)0x00000002)

namespace tw::vardate {

constexpr DATE kMinimumDate = -657434.0;          // 1/1/100
constexpr DATE kMaximumDate = 2958465.99999999;   // 12/31/9999 23:59:59

// Rounded to the second, as the platform shows and splits dates.
bool ToSystemTime(DATE value, SYSTEMTIME& out);
bool FromParts(int year, int month, int day, int hour, int minute, int second, DATE& out);

// en-US: "M/d/yyyy h:mm:ss AM"; the time is left out at midnight and the
// date for a value on day zero. VAR_ flags force one part.
HRESULT Format(DATE value, DWORD flags, std::string& out);

// en-US date and time text: "12/31/1999", "1999-12-31", "Dec 31, 1999",
// "31 December 1999", "3:04 PM", "15:04:05" and their combinations.
HRESULT Parse(std::string_view text, DATE& out);

} // namespace tw::vardate
