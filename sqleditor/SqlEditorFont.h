// The SQL editors' font and colours from the Options settings (group
// "SRTFontClr"): face "SRTTextFont" ("Courier New" when empty), height
// "SRTTextSize" ("16" when empty), bold "SRTTextBold", and the colours of
// the text, its background and the selection, focused and not.
#pragma once

#include "platform/mfc/CGdiObject.h"

class CKtvPEditCtrl;

// A colour setting "RRGGBB" as a COLORREF; "0" or a text that is not six
// hexadecimal digits is black.
COLORREF SqlEditorParseColor(LPCTSTR lpszText);

// How many bytes of a face name the font keeps: at most 31, cut before a
// character that would not fit whole.
int SqlEditorFaceNameLength(LPCTSTR lpszFace);

// Makes the font into rFont (replacing what it held) and gives it to the
// editor with WM_SETFONT; colours stored in the settings are given to the
// editor too, those not stored leave its own. The font starts from the
// default GUI font.
void SqlEditorApplyFontAndColors(CKtvPEditCtrl& edit, CFont& rFont);
