// The giving side of a data transfer: data cached now or rendered when a
// receiver asks, handed over by dragging or through the clipboard.
#pragma once

#include <memory>

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/COleDropSource.h"
#include "platform/ole/DataObject.h"

class COleDataSource : public CCmdTarget {
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes ownership of hGlobal.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // The data come from OnRenderGlobalData when asked for.
    void DelayRenderData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();
    // Sets *phGlobal to a new block; FALSE when it cannot.
    virtual BOOL OnRenderGlobalData(LPFORMATETC lpFormatEtc, HGLOBAL* phGlobal);

    // Waits for the drag to start (see COleDropSource::OnBeginDrag) unless
    // lpRectStartDrag is an empty rectangle at 0,0, then runs the drag loop.
    // The effect the target took, DROPEFFECT_NONE when none did or it was cancelled.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // Puts the data on the clipboard. The clipboard then owns this object
    // (made with new) and deletes it when it lets go of the data: something
    // else is put there, it is flushed or emptied, or its owner window goes.
    void SetClipboard();
    static void PASCAL FlushClipboard();
    static COleDataSource* PASCAL GetClipboardOwner();

    // IID_IDataObject or IID_IUnknown, without a new reference; NULL for others.
    LPUNKNOWN GetInterface(const void* iid);

private:
    tw::ole::DataObject* m_pDataObject;
    // Which hand-over to the clipboard may delete this object: only the latest,
    // and none once the object is gone.
    unsigned m_clipboardGeneration = 0;
    std::shared_ptr<char> m_alive = std::make_shared<char>();
};
