// How the object model's methods fail: internal code throws AdoFailure, and
// the method's Guard turns it into the HRESULT and error object its caller sees.
#pragma once

#include <new>
#include <string>

#include "platform/ado/AdoEnums.h"
#include "platform/com/ComSupport.h"
#include "platform/com/DispatchObject.h"

namespace tw::ado {

struct AdoFailure {
    HRESULT hr;
    std::string description;
};

// The object model's own text for one of its error numbers.
const char* AdoErrorText(long errorNumber);

[[noreturn]] void Fail(long errorNumber);
[[noreturn]] void FailWith(HRESULT hr, std::string description);

// Runs body; a failure leaves an error object (source, description) on the
// thread and answers its HRESULT.
template <class Body>
HRESULT Guard(const char* source, REFIID iid, Body&& body)
{
    try {
        body();
        return S_OK;
    } catch (const AdoFailure& failure) {
        return tw::com::ReportError(failure.hr, source, failure.description.c_str(), iid);
    } catch (const _com_error& error) {
        const std::string text = static_cast<const char*>(error.Description());
        return tw::com::ReportError(error.Error(), source, text.empty() ? error.ErrorMessage() : text.c_str(), iid);
    } catch (const std::bad_alloc&) {
        return tw::com::ReportError(E_OUTOFMEMORY, source, "Out of memory.", iid);
    }
}

// Our objects: answer IDispatch through an empty member table and say they
// leave error objects, so the raising wrappers pick them up.
template <class... Interfaces>
class AdoObject : public tw::com::DispatchObject<Interfaces..., ISupportErrorInfo> {
public:
    HRESULT InterfaceSupportsErrorInfo(REFIID) override { return S_OK; }
};

// Writes an out pointer with a new reference, or fails with E_POINTER.
template <class T>
void HandOut(T** out, T* object)
{
    if (!out)
        FailWith(E_POINTER, "A required pointer argument was NULL.");
    if (object)
        object->AddRef();
    *out = object;
}

template <class T>
void StoreOut(T* out, T value)
{
    if (!out)
        FailWith(E_POINTER, "A required pointer argument was NULL.");
    *out = value;
}

void HandOutText(BSTR* out, const std::string& text);
void HandOutVariant(VARIANT* out, const VARIANT& value);
std::string TextOf(BSTR text);

// An index argument as a position or a name (VT_BSTR).
bool IndexIsName(const VARIANT& index, std::string& name, long& position);

} // namespace tw::ado
