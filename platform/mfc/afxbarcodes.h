// Style codes of the framework's bars and toolbar buttons: where a bar is
// aligned, which borders it draws, how it floats, and the state bits of a
// toolbar button (the common control's states moved to the high word).
#pragma once

// Bar borders and alignment.
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Bar behaviour.
#define CBRS_FLOATING 0x0001L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ALL 0x0040FFFFL

// Toolbar button styles (low word) and states (high word).
#define TBBS_BUTTON 0x0000L
#define TBBS_SEPARATOR 0x0001L
#define TBBS_CHECKBOX 0x0002L
#define TBBS_GROUP 0x0004L
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN 0x0008L
#define TBBS_AUTOSIZE 0x0010L
#define TBBS_NOPREFIX 0x0020L
#define TBBS_CHECKED 0x00010000L
#define TBBS_PRESSED 0x00020000L
#define TBBS_DISABLED 0x00040000L
#define TBBS_HIDDEN 0x00080000L
#define TBBS_INDETERMINATE 0x00100000L
#define TBBS_WRAPPED 0x00200000L
#define TBBS_ELLIPSES 0x00400000L
#define TBBS_MARKED 0x00800000L

// Layout modes a bar's dynamic layout is asked in; a length of 32767 means no limit.
#define LM_STRETCH 0x01
#define LM_HORZ 0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY 0x20
#define LM_COMMIT 0x40

// Status bar pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000
