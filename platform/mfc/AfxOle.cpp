// Starting OLE for the application's thread.
#include "platform/mfc/afxole.h"

BOOL AfxOleInit()
{
    const HRESULT hr = OleInitialize(nullptr);
    // S_FALSE: this thread had initialised it already, which is no failure.
    return SUCCEEDED(hr) ? TRUE : FALSE;
}
