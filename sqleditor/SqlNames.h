// The program's quoting of names and literals in the T-SQL it writes.
//
// Names are bracketed only when they need it, so plain names appear in the
// statements exactly as typed; literals always double their quotes and take
// the N prefix only for text outside ASCII.
#pragma once

#include "platform/mfc/CString.h"

// Whether the name can stand in T-SQL without brackets: not empty, only
// ASCII letters, digits and _ @ # $, no leading digit, no reserved word.
BOOL SqlNameIsPlain(LPCTSTR lpszName);
// Whether the word is one of T-SQL's reserved keywords (any letter case).
BOOL SqlIsReservedWord(LPCTSTR lpszWord);
// The name as T-SQL writes it: as it is when plain, else in brackets with
// every "]" doubled. bAlways brackets plain names too.
CString SqlQuoteName(LPCTSTR lpszName, BOOL bAlways = FALSE);
// 'text' with every "'" doubled; N'text' when the text holds a byte
// outside ASCII.
CString SqlQuoteLiteral(LPCTSTR lpszText);
// A value passed to a stored procedure: a plain name as it is, anything
// else as a literal.
CString SqlProcArgument(LPCTSTR lpszValue);
// The arguments of sp_sproc_columns for a routine name that may be dotted:
// "name", "name, owner" or "name, owner, qualifier" (the parts of
// "qualifier.owner.name" taken from the right), each part passed as
// SqlProcArgument writes it.
CString SqlRoutineArguments(LPCTSTR lpszDottedName);
