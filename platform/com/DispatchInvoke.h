// Calling a dispatch member from C++: arguments are given left to right and
// travel right to left in DISPPARAMS; a put passes its value (the last
// argument) as the named DISPID_PROPERTYPUT argument.
#pragma once

#include <initializer_list>

#include "platform/com/ComSupport.h"

namespace tw::com {

// The raw call: answers Invoke's HRESULT and fills excepInfo and argErr.
HRESULT InvokeDispatch(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args,
                       VARIANT* result, EXCEPINFO* excepInfo = nullptr, UINT* argErr = nullptr);

// The same, raising _com_error on failure; a dispatch exception carries its
// source and description as the error's information.
_variant_t InvokeOrRaise(IDispatch* target, DISPID id, WORD flags, std::initializer_list<_variant_t> args = {});

} // namespace tw::com
