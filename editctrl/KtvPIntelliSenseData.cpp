#include "editctrl/KtvPIntelliSenseData.h"

void KtvPDeleteIntelliSenseItems(CObList& list)
{
    POSITION pos = list.GetHeadPosition();
    while (pos != nullptr)
        delete list.GetNext(pos);
    list.RemoveAll();
}
