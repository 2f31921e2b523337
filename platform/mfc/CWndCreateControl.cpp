// The container side of CWnd: hosted controls made by CLSID, called through
// their dispatch interface, and the empty event sink map of a plain window.
#include <cstdarg>

#include "platform/mfc/COleDispatchDriver.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/OleEventSink.h"
#include "platform/ole/HostedControl.h"

namespace cwnd_control_detail {

IDispatch* DispatchOf(HWND hWnd)
{
    IUnknown* control = tw::ole::HostedControls::Instance().Find(hWnd);
    if (!control)
        AfxThrowOleException(E_NOINTERFACE);
    IDispatch* dispatch = nullptr;
    const HRESULT hr = control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
    control->Release();
    if (FAILED(hr))
        AfxThrowOleException(hr);
    return dispatch;
}

void InstallEventRouting()
{
    tw::ole::HostedControls::Instance().SetContainerHook(&tw::mfc::ConnectControlEvents);
}

}  // namespace cwnd_control_detail

void AfxEnableControlContainer()
{
    cwnd_control_detail::InstallEventRouting();
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                         UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    if (m_hWnd || pPersist || bStorage || bstrLicKey || !pParentWnd || !pParentWnd->m_hWnd)
        return FALSE;
    cwnd_control_detail::InstallEventRouting();
    HWND hWnd = nullptr;
    if (FAILED(tw::ole::HostedControls::Instance().Create(clsid, pParentWnd->m_hWnd, rect, nID, dwStyle,
                                                         pszWindowName, &hWnd)))
        return FALSE;
    if (SubclassWindow(hWnd))
        return TRUE;
    ::DestroyWindow(hWnd);
    return FALSE;
}

BOOL CWnd::CreateControl(LPCTSTR pszClass, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect,
                         CWnd* pParentWnd, UINT nID, CFile* pPersist, BOOL bStorage, BSTR bstrLicKey)
{
    CLSID clsid{};
    BSTR name = tw::SysAllocStringUtf8(pszClass ? pszClass : "");
    const HRESULT hr = CLSIDFromString(name, &clsid);
    SysFreeString(name);
    if (FAILED(hr))
        return FALSE;
    return CreateControl(clsid, pszWindowName, dwStyle, rect, pParentWnd, nID, pPersist, bStorage, bstrLicKey);
}

IUnknown* CWnd::GetControlUnknown()
{
    IUnknown* control = tw::ole::HostedControls::Instance().Find(m_hWnd);
    // The record keeps the object alive while the window lives.
    if (control)
        control->Release();
    return control;
}

void CWnd::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...)
{
    IDispatch* dispatch = cwnd_control_detail::DispatchOf(m_hWnd);
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        tw::mfc::InvokeHelperV(dispatch, dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        dispatch->Release();
        throw;
    }
    va_end(argList);
    dispatch->Release();
}

void CWnd::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    IDispatch* dispatch = cwnd_control_detail::DispatchOf(m_hWnd);
    va_list argList;
    va_start(argList, vtProp);
    try {
        tw::mfc::SetPropertyV(dispatch, dwDispID, vtProp, argList);
    } catch (...) {
        va_end(argList);
        dispatch->Release();
        throw;
    }
    va_end(argList);
    dispatch->Release();
}

void CWnd::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<CWnd*>(this)->InvokeHelper(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

const AFX_EVENTSINKMAP* PASCAL CWnd::GetThisEventSinkMap()
{
    static const AFX_EVENTSINKMAP_ENTRY entries[] = {{0, 0, nullptr, nullptr}};
    static const AFX_EVENTSINKMAP map = {nullptr, entries};
    return &map;
}

const AFX_EVENTSINKMAP* CWnd::GetEventSinkMap() const
{
    return GetThisEventSinkMap();
}
