// The library's in-place frame of an OLE server (see CKtvPOleInPlaceFrameT).
#pragma once

#include "ui/frames/KtvPOleInPlaceFrame.h"

class CKtvPOleIPFrameWnd : public CKtvPOleInPlaceFrameT<COleIPFrameWnd> {
    DECLARE_DYNCREATE(CKtvPOleIPFrameWnd)
public:
    CKtvPOleIPFrameWnd() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
