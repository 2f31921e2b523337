#include "platform/mfc/CObList.h"

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)

void CObList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetHeadPosition(); pos != nullptr;)
            ar << GetNext(pos);
        return;
    }
    DWORD_PTR nNewCount = ar.ReadCount();
    ar.CheckCount(nNewCount, SerializedElementMinSize<CObject*>());
    while (nNewCount-- > 0) {
        CObject* pNewData = nullptr;
        ar >> pNewData;
        AddTail(pNewData);
    }
}
