// The scanner of the editor settings text: elements written as
// <Name>content</Name>, no attributes, entities or comments, matched byte
// for byte; and the colour values it holds.
#pragma once

#include "platform/mfc/CString.h"

// Takes the first element of that name out of the source and returns its
// trimmed content; FALSE (source unchanged) when it or its closing tag is
// missing. Elements of one name nest pairwise. With bUnescape a quoted
// value loses its quotes, "\t", "\n", "\r" and "\b" become their
// characters, and the whole words LT, GT and AMP become "<", ">" and "&".
BOOL ExtractXMLTagValue(CString& strSource, LPCTSTR lpszName, CString& strValue, BOOL bUnescape);

// "RRGGBB" in hexadecimal, or a colour name in double quotes; black for
// anything else.
COLORREF ParseXMLColor(const CString& strValue);

// TRUE when the trimmed value is the word true in any letter case.
BOOL ParseXMLBool(const CString& strValue);
