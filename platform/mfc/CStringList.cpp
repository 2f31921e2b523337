#include "platform/mfc/CStringList.h"

IMPLEMENT_SERIAL(CStringList, CObject, 0)
