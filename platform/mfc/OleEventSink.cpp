#include "platform/mfc/OleEventSink.h"

#include "platform/com/ConnectionPoints.h"
#include "platform/ole/HostedControl.h"

namespace tw::mfc {

namespace eventsink_detail {

VARIANT* Target(VARIANT& v)
{
    if (v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal)
        return v.pvarVal;
    return &v;
}

bool ReadNumber(const VARIANT& v, bool wantReal, double& real, LONG& integer, bool& isBool)
{
    VARIANT value;
    VariantInit(&value);
    if (FAILED(VariantCopyInd(&value, &v)))
        return false;
    isBool = value.vt == VT_BOOL;
    bool ok = false;
    if (isBool) {
        integer = value.boolVal != VARIANT_FALSE ? 1 : 0;
        real = integer;
        ok = true;
    } else if (SUCCEEDED(VariantChangeType(&value, &value, 0, wantReal ? VT_R8 : VT_I4))) {
        if (wantReal)
            real = value.dblVal;
        else
            integer = value.lVal;
        ok = true;
    }
    VariantClear(&value);
    return ok;
}

void WriteNumber(VARIANT& v, double value)
{
    VARIANT* target = &v;
    VARTYPE type = v.vt;
    if (v.vt == (VT_VARIANT | VT_BYREF)) {
        target = v.pvarVal;
        type = target ? target->vt : static_cast<VARTYPE>(VT_EMPTY);
    }
    if (!target)
        return;
    const bool byRef = (type & VT_BYREF) != 0;
    const VARTYPE base = static_cast<VARTYPE>(type & ~VT_BYREF);
    // A by-reference argument is written where it points; a value only in place.
    switch (base) {
    case VT_I2:
        *(byRef ? target->piVal : &target->iVal) = static_cast<SHORT>(value);
        break;
    case VT_I4:
        *(byRef ? target->plVal : &target->lVal) = static_cast<LONG>(value);
        break;
    case VT_UI1:
        *(byRef ? target->pbVal : &target->bVal) = static_cast<BYTE>(value);
        break;
    case VT_R4:
        *(byRef ? target->pfltVal : &target->fltVal) = static_cast<FLOAT>(value);
        break;
    case VT_R8:
        *(byRef ? target->pdblVal : &target->dblVal) = value;
        break;
    case VT_DATE:
        *(byRef ? target->pdate : &target->date) = value;
        break;
    case VT_BOOL:
        *(byRef ? target->pboolVal : &target->boolVal) = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    default:
        if (byRef)
            return;
        VariantClear(target);
        target->vt = VT_R8;
        target->dblVal = value;
        break;
    }
}

std::string ReadText(const VARIANT& v)
{
    VARIANT value;
    VariantInit(&value);
    std::string text;
    if (SUCCEEDED(VariantCopyInd(&value, &v)) && SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR)))
        text = tw::BstrToUtf8(value.bstrVal);
    VariantClear(&value);
    return text;
}

// The container's side of one control's events: every Invoke goes to the
// sink map of the control's parent window.
class ControlEventSink final : public tw::ComObject<IDispatch> {
public:
    ControlEventSink(HWND control, REFIID events) : control_(control), events_(events) {}

    HRESULT GetTypeInfoCount(UINT* pctinfo) override
    {
        if (!pctinfo)
            return E_INVALIDARG;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return DISP_E_BADINDEX; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT*, EXCEPINFO*,
                   UINT*) override
    {
        DISPPARAMS none{nullptr, nullptr, 0, 0};
        RouteControlEvent(control_, dispIdMember, pDispParams ? pDispParams : &none);
        return S_OK;
    }

protected:
    void* FindInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, events_))
            return static_cast<IDispatch*>(this);
        return tw::ComObject<IDispatch>::FindInterface(riid);
    }

private:
    HWND control_;
    IID events_;
};

const AFX_EVENTSINKMAP_ENTRY* FindEntry(const AFX_EVENTSINKMAP* map, UINT id, DISPID dispid)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_EVENTSINKMAP_ENTRY* entry = map->lpEntries; entry && entry->pfnCall; ++entry) {
            if (entry->nCtrlID == id && entry->dispid == dispid)
                return entry;
        }
        if (map == CWnd::GetThisEventSinkMap())
            break;
    }
    return nullptr;
}

}  // namespace eventsink_detail

BOOL RouteControlEvent(HWND hWndControl, DISPID dispid, DISPPARAMS* pParams)
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hWndControl));
    if (!pParent)
        return FALSE;
    const UINT id = static_cast<UINT>(::GetDlgCtrlID(hWndControl));
    const AFX_EVENTSINKMAP_ENTRY* entry = eventsink_detail::FindEntry(pParent->GetEventSinkMap(), id, dispid);
    if (!entry)
        return FALSE;
    try {
        return entry->pfnCall(pParent, pParams, entry->pbParamInfo);
    } catch (CException* e) {
        // An event must not unwind through the control that fired it.
        e->ReportError();
        e->Delete();
        return FALSE;
    }
}

void ConnectControlEvents(HWND hWndControl, IUnknown* pControl)
{
    IHostedControlPtr control;
    if (!pControl || FAILED(pControl->QueryInterface(IID_IHostedControl, reinterpret_cast<void**>(&control))))
        return;
    IID events{};
    if (FAILED(control->GetEventInterface(&events)))
        return;
    auto* sink = new eventsink_detail::ControlEventSink(hWndControl, events);
    DWORD cookie = 0;
    // The control's point holds the sink for as long as the control lives.
    tw::com::Advise(pControl, sink->GetUnknown(), events, &cookie);
    sink->Release();
}

}  // namespace tw::mfc
