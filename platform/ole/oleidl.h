// Data objects, drop sources and drop targets with the platform's layouts and
// codes, and the calls that move data between windows: drag and drop and the
// data-object view of the clipboard.
#pragma once

#include "platform/com/ComThread.h"
#include "platform/com/Unknown.h"
#include "platform/win32/user/winuser.h"

#ifndef DRAGDROP_S_DROP
#define DRAGDROP_S_DROP ((HRESULT)0x00040100L)
#define DRAGDROP_S_CANCEL ((HRESULT)0x00040101L)
#define DRAGDROP_S_USEDEFAULTCURSORS ((HRESULT)0x00040102L)
#define DRAGDROP_E_NOTREGISTERED ((HRESULT)0x80040100L)
#define DRAGDROP_E_ALREADYREGISTERED ((HRESULT)0x80040101L)
#define DRAGDROP_E_INVALIDHWND ((HRESULT)0x80040102L)
#endif
#ifndef DV_E_FORMATETC
#define DV_E_FORMATETC ((HRESULT)0x80040064L)
#define DV_E_LINDEX ((HRESULT)0x80040068L)
#define DV_E_TYMED ((HRESULT)0x80040069L)
#define DV_E_DVASPECT ((HRESULT)0x8004006BL)
#endif
#ifndef OLE_E_ADVISENOTSUPPORTED
#define OLE_E_ADVISENOTSUPPORTED ((HRESULT)0x80040003L)
#endif
#ifndef DATA_S_SAMEFORMATETC
#define DATA_S_SAMEFORMATETC ((HRESULT)0x00040130L)
#endif
#ifndef CLIPBRD_E_CANT_OPEN
#define CLIPBRD_E_CANT_OPEN ((HRESULT)0x800401D0L)
#define CLIPBRD_E_CANT_EMPTY ((HRESULT)0x800401D1L)
#define CLIPBRD_E_CANT_SET ((HRESULT)0x800401D2L)
#define CLIPBRD_E_BAD_DATA ((HRESULT)0x800401D3L)
#define CLIPBRD_E_CANT_CLOSE ((HRESULT)0x800401D4L)
#endif

typedef WORD CLIPFORMAT;
typedef CLIPFORMAT* LPCLIPFORMAT;

enum tagDVASPECT { DVASPECT_CONTENT = 1, DVASPECT_THUMBNAIL = 2, DVASPECT_ICON = 4, DVASPECT_DOCPRINT = 8 };

enum tagTYMED {
    TYMED_HGLOBAL = 1,
    TYMED_FILE = 2,
    TYMED_ISTREAM = 4,
    TYMED_ISTORAGE = 8,
    TYMED_GDI = 16,
    TYMED_MFPICT = 32,
    TYMED_ENHMF = 64,
    TYMED_NULL = 0
};

enum tagDATADIR { DATADIR_GET = 1, DATADIR_SET = 2 };

// Target devices are not offered: ptd is always NULL here.
struct DVTARGETDEVICE;

typedef struct tagFORMATETC {
    CLIPFORMAT cfFormat;
    DVTARGETDEVICE* ptd;
    DWORD dwAspect;
    LONG lindex;
    DWORD tymed;
} FORMATETC, *LPFORMATETC;

// Global memory travels in this system, and bitmaps as GDI handles from the
// clipboard; the other media are named so that a request for them can be
// refused with DV_E_TYMED.
typedef struct tagSTGMEDIUM {
    DWORD tymed;
    union {
        HBITMAP hBitmap;
        HANDLE hMetaFilePict;
        HANDLE hEnhMetaFile;
        HGLOBAL hGlobal;
        LPOLESTR lpszFileName;
        void* pstm;
        void* pstg;
    };
    IUnknown* pUnkForRelease;
} STGMEDIUM, *LPSTGMEDIUM;

// Frees the medium's data (a global block or a GDI bitmap) unless
// pUnkForRelease owns it, which is released instead.
void ReleaseStgMedium(LPSTGMEDIUM pmedium);

typedef DWORD DROPEFFECT;
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#define DROPEFFECT_SCROLL 0x80000000

// Key state bit for Alt, beside the MK_ bits of the mouse messages.
#ifndef MK_ALT
#define MK_ALT 0x20
#endif

DEFINE_GUID(IID_IEnumFORMATETC, 0x00000103, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IDataObject, 0x0000010E, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IDropSource, 0x00000121, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);
DEFINE_GUID(IID_IDropTarget, 0x00000122, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

struct IEnumFORMATETC : public IUnknown {
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;

protected:
    ~IEnumFORMATETC() = default;
};
typedef IEnumFORMATETC* LPENUMFORMATETC;

// Data-change notification is not offered: DAdvise and EnumDAdvise answer
// OLE_E_ADVISENOTSUPPORTED, which the platform allows.
struct IAdviseSink;
struct IEnumSTATDATA;

struct IDataObject : public IUnknown {
    virtual HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
    virtual HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
    virtual HRESULT QueryGetData(FORMATETC* pformatetc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
    virtual HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
    virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
    virtual HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) = 0;
    virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;

protected:
    ~IDataObject() = default;
};
typedef IDataObject* LPDATAOBJECT;

struct IDropSource : public IUnknown {
    // S_OK to go on, DRAGDROP_S_DROP or DRAGDROP_S_CANCEL to end.
    virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
    // DRAGDROP_S_USEDEFAULTCURSORS lets the loop show its cursor for the effect.
    virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;

protected:
    ~IDropSource() = default;
};
typedef IDropSource* LPDROPSOURCE;

struct IDropTarget : public IUnknown {
    virtual HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    virtual HRESULT DragLeave() = 0;
    virtual HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;

protected:
    ~IDropTarget() = default;
};
typedef IDropTarget* LPDROPTARGET;

TW_INTERFACE_ID(IEnumFORMATETC, IID_IEnumFORMATETC);
TW_INTERFACE_ID(IDataObject, IID_IDataObject);
TW_INTERFACE_ID(IDropSource, IID_IDropSource);
TW_INTERFACE_ID(IDropTarget, IID_IDropTarget);

// The window's drop target: E_OUTOFMEMORY when the thread has not
// initialised OLE, DRAGDROP_E_INVALIDHWND, DRAGDROP_E_ALREADYREGISTERED.
HRESULT RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget);
HRESULT RevokeDragDrop(HWND hwnd);
// A modal loop on the thread's queue until the source ends it: the drop
// target under the mouse (the window or its nearest registered ancestor)
// gets DragEnter, DragOver, DragLeave and Drop. DRAGDROP_S_DROP (with the
// target's effect, DROPEFFECT_NONE when nobody took it) or DRAGDROP_S_CANCEL.
HRESULT DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect);

// The clipboard holds the object's formats (each global-memory format it
// renders); NULL empties the clipboard of what the last call put there.
HRESULT OleSetClipboard(LPDATAOBJECT pDataObj);
// A data object reading the clipboard as it is when asked.
HRESULT OleGetClipboard(LPDATAOBJECT* ppDataObj);
// The data stay on the clipboard; the object is let go.
HRESULT OleFlushClipboard();
// S_OK when pDataObj is what the clipboard holds now, S_FALSE otherwise.
HRESULT OleIsCurrentClipboard(LPDATAOBJECT pDataObj);
