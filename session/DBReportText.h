// Texts the select-database dialog and its report read and show.
#pragma once

#include "platform/ado/AdoInterfaces.h"
#include "platform/mfc/CString.h"

// A field of the current row as text; empty when the field is null.
CString ReportFieldText(const ADODB::_RecordsetPtr& rs, LPCTSTR lpszField);
// A COM failure as its description, or the system's text without one.
CString ReportErrorText(const _com_error& error);
// A database property as the report shows a flag: "Null" for no value,
// "True" for 1, "False" otherwise.
CString ReportFlagText(const CString& strValue);
// A number property: "Null" for no value, else the number.
CString ReportNumberText(const CString& strValue);
