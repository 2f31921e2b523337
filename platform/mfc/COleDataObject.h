// The receiving side of a data transfer: a data object from a drop or from
// the clipboard, read by format.
#pragma once

#include "platform/mfc/CFile.h"
#include "platform/ole/oleidl.h"

class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject();
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // What the clipboard holds, read when asked.
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A new global block the caller frees, or NULL.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // A memory file over a copy of the data, which the caller deletes; NULL when absent.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

    void BeginEnumFormats();
    BOOL GetNextFormat(LPFORMATETC lpFormatEtc);

    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;

private:
    FORMATETC Request(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const;

    LPENUMFORMATETC m_lpEnumerator = nullptr;
};
