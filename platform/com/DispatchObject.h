// Base of our objects that answer IDispatch: a ComObject whose IDispatch
// methods are served from a DispatchMembers table that the derived class
// fills in its constructor. There is no type information: GetTypeInfoCount
// answers 0, as an object without a type library does.
#pragma once

#include "platform/com/DispatchMembers.h"

namespace tw::com {

template <class... Interfaces>
class DispatchObject : public ComObject<Interfaces...> {
public:
    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_INVALIDARG;
        *pctinfo = 0;
        return S_OK;
    }

    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }

    HRESULT GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId) override
    {
        return m_members.GetIDsOfNames(rgszNames, cNames, rgDispId);
    }

    HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override
    {
        // Keeps the object alive should a handler drop the last outside reference.
        this->AddRef();
        const HRESULT hr = m_members.Invoke(dispIdMember, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
        this->Release();
        return hr;
    }

protected:
    DispatchMembers& Members() { return m_members; }

private:
    DispatchMembers m_members;
};

} // namespace tw::com
