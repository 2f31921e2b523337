#include "platform/mfc/COleServerDoc.h"

IMPLEMENT_DYNAMIC(COleServerDoc, CDocument)
