// The library's in-place frame of an OLE document server (see CKtvPOleInPlaceFrameT).
#pragma once

#include "ui/frames/KtvPOleInPlaceFrame.h"

class CKtvPOleDocIPFrameWnd : public CKtvPOleInPlaceFrameT<COleDocIPFrameWnd> {
    DECLARE_DYNCREATE(CKtvPOleDocIPFrameWnd)
public:
    CKtvPOleDocIPFrameWnd() = default;

protected:
    DECLARE_MESSAGE_MAP()
};
