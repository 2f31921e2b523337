#include "platform/ado/AdoFailure.h"

namespace tw::ado {

const char* AdoErrorText(long errorNumber)
{
    switch (errorNumber) {
    case ADODB::adErrInvalidArgument:
        return "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one another.";
    case ADODB::adErrNoCurrentRecord:
        return "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
               "current record.";
    case ADODB::adErrIllegalOperation: return "Operation is not allowed in this context.";
    case ADODB::adErrFeatureNotAvailable:
        return "Current Recordset does not support this operation. This may be a limitation of the provider, or of "
               "the selected cursor or lock type.";
    case ADODB::adErrItemNotFound:
        return "Item cannot be found in the collection corresponding to the requested name or ordinal.";
    case ADODB::adErrDataConversion: return "Application uses a value of the wrong type for the current operation.";
    case ADODB::adErrObjectClosed: return "Operation is not allowed when the object is closed.";
    case ADODB::adErrObjectOpen: return "Operation is not allowed when the object is open.";
    case ADODB::adErrProviderNotFound: return "Provider cannot be found. It may not be properly installed.";
    case ADODB::adErrInvalidConnection:
        return "The connection cannot be used to perform this operation. It is either closed or invalid in this "
               "context.";
    case ADODB::adErrStillExecuting: return "Operation cannot be performed while executing asynchronously.";
    case ADODB::adErrOperationCancelled: return "Operation has been cancelled by the user.";
    default: return "Errors occurred.";
    }
}

void Fail(long errorNumber) { throw AdoFailure{AdoHresult(errorNumber), AdoErrorText(errorNumber)}; }

void FailWith(HRESULT hr, std::string description) { throw AdoFailure{hr, std::move(description)}; }

void HandOutText(BSTR* out, const std::string& text)
{
    if (!out)
        FailWith(E_POINTER, "A required pointer argument was NULL.");
    *out = tw::SysAllocStringUtf8(text.c_str());
}

void HandOutVariant(VARIANT* out, const VARIANT& value)
{
    if (!out)
        FailWith(E_POINTER, "A required pointer argument was NULL.");
    VariantInit(out);
    const HRESULT hr = VariantCopy(out, &value);
    if (FAILED(hr))
        FailWith(hr, "The value could not be copied.");
}

std::string TextOf(BSTR text) { return tw::BstrToUtf8(text); }

bool IndexIsName(const VARIANT& index, std::string& name, long& position)
{
    const VARIANT* value = &index;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == VT_BSTR) {
        name = TextOf(value->bstrVal);
        return true;
    }
    // A reader asks for each field of each row by its number.
    if (value->vt == VT_I4) {
        position = value->lVal;
        return false;
    }
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, value, 0, VT_I4)))
        Fail(ADODB::adErrItemNotFound);
    position = converted.lVal;
    return false;
}

} // namespace tw::ado
