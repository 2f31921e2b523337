// A document served to other programs. There are no served documents here; the class exists so that type tests can name it.
#pragma once

#include "platform/mfc/CDocument.h"

class COleServerDoc : public CDocument {
    DECLARE_DYNAMIC(COleServerDoc)
};
