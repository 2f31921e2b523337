// A list of strings; archived as a count and the strings.
#pragma once

#include "platform/mfc/CList.h"

class CStringList : public CList<CString, LPCTSTR> {
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, LPCTSTR>(nBlockSize) {}
};
