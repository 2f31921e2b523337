#include "platform/com/ComThread.h"

namespace {

struct ThreadComState {
    int comCount = 0;
    int oleCount = 0;
    DWORD model = COINIT_APARTMENTTHREADED;
};

thread_local ThreadComState t_comState;

DWORD ModelOf(DWORD coInit)
{
    return coInit & COINIT_APARTMENTTHREADED;
}

} // namespace

HRESULT CoInitialize(LPVOID pvReserved)
{
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit)
{
    if (pvReserved)
        return E_INVALIDARG;
    ThreadComState& state = t_comState;
    if (state.comCount > 0 && ModelOf(dwCoInit) != state.model)
        return RPC_E_CHANGED_MODE;
    state.model = ModelOf(dwCoInit);
    return state.comCount++ == 0 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (t_comState.comCount > 0)
        --t_comState.comCount;
}

HRESULT OleInitialize(LPVOID pvReserved)
{
    HRESULT hr = CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        return hr;
    return t_comState.oleCount++ == 0 ? S_OK : S_FALSE;
}

void OleUninitialize()
{
    if (t_comState.oleCount == 0)
        return;
    --t_comState.oleCount;
    CoUninitialize();
}

namespace tw::com {

int ComInitCount()
{
    return t_comState.comCount;
}

int OleInitCount()
{
    return t_comState.oleCount;
}

} // namespace tw::com
