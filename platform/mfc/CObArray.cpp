#include "platform/mfc/CObArray.h"

IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)

void CObArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
        for (CObject* pObject : m_data)
            ar << pObject;
        return;
    }
    const DWORD_PTR nNewCount = ar.ReadCount();
    ar.CheckCount(nNewCount, SerializedElementMinSize<CObject*>());
    SetSize(static_cast<INT_PTR>(nNewCount));
    for (CObject*& pObject : m_data)
        ar >> pObject;
}
