// The shapes of call the grid's wrappers make, on the hosting window (its
// control site) or on a dispatch driver alike: an object handed out by a
// property, a number read, a method with no or one argument.
#pragma once

#include "platform/mfc/COleDispatchDriver.h"

namespace dxdbgrid {

// The driver T takes over the reference the call hands out.
template <class T, class Target>
T ObjectProperty(Target& target, DISPID id)
{
    LPDISPATCH pDispatch = nullptr;
    target.GetProperty(id, VT_DISPATCH, &pDispatch);
    return T(pDispatch);
}

// A property get with a 32-bit index, such as a row or a column by position.
template <class T, class Target>
T ObjectItem(Target& target, DISPID id, LONG nIndex)
{
    static const BYTE params[] = VTS_I4;
    LPDISPATCH pDispatch = nullptr;
    target.InvokeHelper(id, DISPATCH_PROPERTYGET, VT_DISPATCH, &pDispatch, params, nIndex);
    return T(pDispatch);
}

// A method handing out an object, with its arguments as the VTS_ string gives them.
template <class T, class Target, class... Args>
T ObjectMethod(Target& target, DISPID id, const BYTE* params, Args... args)
{
    LPDISPATCH pDispatch = nullptr;
    target.InvokeHelper(id, DISPATCH_METHOD, VT_DISPATCH, &pDispatch, params, args...);
    return T(pDispatch);
}

template <class Target>
LONG LongProperty(Target& target, DISPID id)
{
    LONG result = 0;
    target.GetProperty(id, VT_I4, &result);
    return result;
}

template <class Target>
void Method(Target& target, DISPID id)
{
    target.InvokeHelper(id, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

template <class Target>
void MethodWithLong(Target& target, DISPID id, LONG nValue)
{
    static const BYTE params[] = VTS_I4;
    target.InvokeHelper(id, DISPATCH_METHOD, VT_EMPTY, nullptr, params, nValue);
}

template <class Target>
void MethodWithText(Target& target, DISPID id, LPCTSTR lpszText)
{
    static const BYTE params[] = VTS_BSTR;
    target.InvokeHelper(id, DISPATCH_METHOD, VT_EMPTY, nullptr, params, lpszText);
}

}  // namespace dxdbgrid
