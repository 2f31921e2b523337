#include "platform/mfc/CStringArray.h"

IMPLEMENT_SERIAL(CStringArray, CObject, 0)
