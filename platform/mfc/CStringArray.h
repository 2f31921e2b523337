// An array of strings; archived as a count and the strings.
#pragma once

#include "platform/mfc/CArray.h"

class CStringArray : public CArray<CString, LPCTSTR> {
    DECLARE_SERIAL(CStringArray)
};
