#include "platform/mfc/CMapStringToPtr.h"

IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)

void CMapStringToOb::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD_PTR>(GetCount()));
        for (POSITION pos = GetStartPosition(); pos != nullptr;) {
            CString key;
            CObject* pValue = nullptr;
            GetNextAssoc(pos, key, pValue);
            ar << key << pValue;
        }
        return;
    }
    DWORD_PTR nNewCount = ar.ReadCount();
    ar.CheckCount(nNewCount, SerializedElementMinSize<CString>() + SerializedElementMinSize<CObject*>());
    while (nNewCount-- > 0) {
        CString key;
        CObject* pValue = nullptr;
        ar >> key >> pValue;
        SetAt(key, pValue);
    }
}
