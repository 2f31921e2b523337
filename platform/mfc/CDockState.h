// The framework's record of where its own control bars stand. The bars here
// are all the UI library's, which keeps its layout itself, so the record is
// always empty; it exists so that frames can be handed one.
#pragma once

#include "platform/mfc/CObject.h"

class CDockState : public CObject {
public:
    // Always 0: the framework docks no bars of its own.
    INT_PTR GetBarCount() const { return 0; }
};
