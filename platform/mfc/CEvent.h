// The framework's synchronisation objects over the kernel's: an event that
// one thread sets and another waits for, named so that other code can open
// it by name.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/win32/kernel/Sync.h"

class CSyncObject : public CObject {
    DECLARE_DYNAMIC(CSyncObject)
public:
    explicit CSyncObject(LPCTSTR pstrName);
    ~CSyncObject() override;

    operator HANDLE() const { return m_hObject; }
    // TRUE when the object was signalled within the time.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;

    HANDLE m_hObject = nullptr;
};

class CEvent : public CSyncObject {
    DECLARE_DYNAMIC(CEvent)
public:
    // A failed creation throws the framework's resource exception.
    explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                    LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

    BOOL SetEvent();
    BOOL ResetEvent();
    BOOL Unlock() override { return TRUE; }
};
