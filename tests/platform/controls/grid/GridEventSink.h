// A container's sink for the grid's events: records every event with the
// types of its arguments and lets a test answer through the by-reference ones.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "platform/com/ComSupport.h"
#include "platform/controls/grid/GridEventFirer.h"

namespace tw::grid::testing {

struct FiredEvent {
    DISPID id;
    // Left to right.
    std::vector<VARTYPE> types;
    // Row node indexes of the node arguments (-1 for a null node), left to right.
    std::vector<int> nodes;
    // The values of the VT_I4 arguments, left to right.
    std::vector<long> numbers;
};

class GridEventSink final : public tw::ComObject<IDispatch> {
public:
    // The argument at a left-to-right position.
    static VARIANT& Arg(DISPPARAMS& params, UINT index) { return params.rgvarg[params.cArgs - 1 - index]; }

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

    // How the sink answers an event.
    std::map<DISPID, std::function<void(DISPPARAMS&)>> reactions;
    std::vector<FiredEvent> fired;

    const FiredEvent* Last(DISPID id) const;
    int Count(DISPID id) const;

protected:
    void* FindInterface(REFIID riid) override;
};

}  // namespace tw::grid::testing
