#include "platform/com/DispatchInvoke.h"

#include <vector>

namespace tw::com {

namespace {

void ClearException(EXCEPINFO& info)
{
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    info = EXCEPINFO{};
}

// The error object a dispatch exception describes.
IErrorInfo* ErrorInfoFrom(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn)
        info.pfnDeferredFillIn(&info);
    ICreateErrorInfo* creator = nullptr;
    if (FAILED(CreateErrorInfo(&creator)))
        return nullptr;
    creator->SetSource(info.bstrSource);
    creator->SetDescription(info.bstrDescription);
    creator->SetHelpFile(info.bstrHelpFile);
    creator->SetHelpContext(info.dwHelpContext);
    IErrorInfo* errorInfo = nullptr;
    creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&errorInfo));
    creator->Release();
    return errorInfo;
}

} // namespace

HRESULT InvokeDispatch(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args,
                       VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr)
{
    if (!target)
        return E_POINTER;
    std::vector<VARIANT> reversed(args.size());
    size_t slot = args.size();
    for (const _variant_t& arg : args)
        reversed[--slot] = arg; // shallow: the caller's list owns the values
    DISPID putId = DISPID_PROPERTYPUT;
    const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params{reversed.data(), isPut ? &putId : nullptr, static_cast<UINT>(reversed.size()),
                      isPut ? 1u : 0u};
    return target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, excepInfo, argErr);
}

_variant_t InvokeOrRaise(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args)
{
    _variant_t result;
    EXCEPINFO info{};
    UINT argErr = 0;
    const bool wantsResult = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0;
    HRESULT hr = InvokeDispatch(target, id, flags, args, wantsResult ? &result : nullptr, &info, &argErr);
    if (hr == DISP_E_EXCEPTION) {
        const HRESULT code = info.scode ? info.scode : _com_error::WCodeToHRESULT(info.wCode);
        IErrorInfo* errorInfo = ErrorInfoFrom(info);
        ClearException(info);
        _com_raise_error(code, errorInfo);
    }
    ClearException(info);
    if (FAILED(hr))
        _com_issue_error(hr);
    return result;
}

} // namespace tw::com
