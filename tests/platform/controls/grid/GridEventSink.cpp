#include "tests/platform/controls/grid/GridEventSink.h"

#include "platform/com/DispatchInvoke.h"

namespace tw::grid::testing {

HRESULT GridEventSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

HRESULT GridEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    FiredEvent event{id, {}, {}, {}};
    for (UINT i = 0; i < params->cArgs; ++i) {
        VARIANT& arg = Arg(*params, i);
        event.types.push_back(arg.vt);
        if (arg.vt == VT_I4)
            event.numbers.push_back(arg.lVal);
        if (arg.vt == VT_DISPATCH) {
            // -1 for a null object, -2 for one that is not a row node (a column).
            int index = -1;
            _variant_t value;
            if (arg.pdispVal)
                index = SUCCEEDED(tw::com::InvokeDispatch(arg.pdispVal, 17, DISPATCH_PROPERTYGET, {}, &value)) ? int(value) : -2;
            event.nodes.push_back(index);
        }
    }
    fired.push_back(event);
    if (auto reaction = reactions.find(id); reaction != reactions.end())
        reaction->second(*params);
    return S_OK;
}

const FiredEvent* GridEventSink::Last(DISPID id) const
{
    for (auto it = fired.rbegin(); it != fired.rend(); ++it) {
        if (it->id == id)
            return &*it;
    }
    return nullptr;
}

int GridEventSink::Count(DISPID id) const
{
    int count = 0;
    for (const FiredEvent& event : fired)
        count += event.id == id ? 1 : 0;
    return count;
}

void* GridEventSink::FindInterface(REFIID riid)
{
    if (IsEqualIID(riid, DIID_DataGridEvents))
        return static_cast<IDispatch*>(this);
    return ComObject<IDispatch>::FindInterface(riid);
}

}  // namespace tw::grid::testing
