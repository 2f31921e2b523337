#include "platform/com/DispatchMembers.h"

#include <cctype>

#include "platform/win32/kernel/Utf8Text.h"

namespace tw::com {

namespace {

bool SameMemberName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

BSTR TextOrNull(const _bstr_t& text)
{
    return text.length() ? text.copy() : nullptr;
}

void FillException(const _com_error& error, EXCEPINFO* info)
{
    if (!info)
        return;
    *info = EXCEPINFO{};
    info->scode = error.Error();
    info->bstrSource = TextOrNull(error.Source());
    _bstr_t description = error.Description();
    info->bstrDescription = description.length() ? description.copy() : tw::SysAllocStringUtf8(error.ErrorMessage());
    info->bstrHelpFile = TextOrNull(error.HelpFile());
    info->dwHelpContext = error.HelpContext();
}

} // namespace

DispatchArgs::DispatchArgs(const DISPPARAMS& params, bool isPut)
    : m_params(params), m_isPut(isPut), m_positional(params.cArgs - (isPut ? 1 : 0))
{
}

UINT DispatchArgs::RawIndex(UINT index) const
{
    return m_params.cArgs - 1 - index;
}

bool DispatchArgs::IsMissing(UINT index) const
{
    if (index >= m_positional)
        return true;
    const VARIANT& value = At(index);
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

const VARIANT& DispatchArgs::At(UINT index) const
{
    return m_params.rgvarg[RawIndex(index)];
}

const VARIANT& DispatchArgs::PutValue() const
{
    return m_params.rgvarg[0];
}

void DispatchMembers::Add(DISPID id, std::string name, WORD kinds, Handler handler)
{
    m_members.push_back(Member{id, std::move(name), kinds, std::move(handler)});
}

const DispatchMembers::Member* DispatchMembers::Find(DISPID id, WORD flags) const
{
    // A call made as method-or-get (as script callers do) prefers the method.
    for (WORD kind : {WORD(DISPATCH_METHOD), WORD(DISPATCH_PROPERTYGET), WORD(DISPATCH_PROPERTYPUT),
                      WORD(DISPATCH_PROPERTYPUTREF)}) {
        if (!(flags & kind))
            continue;
        for (const Member& member : m_members) {
            if (member.id == id && (member.kinds & kind))
                return &member;
        }
    }
    return nullptr;
}

HRESULT DispatchMembers::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const
{
    if (!names || !ids)
        return E_INVALIDARG;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        // Only the member name is known; parameter names are not.
        const std::string wanted = names[i] ? Utf16ToUtf8(names[i]) : std::string();
        for (const Member& member : m_members) {
            if (i == 0 && SameMemberName(member.name, wanted)) {
                ids[i] = member.id;
                break;
            }
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT DispatchMembers::Invoke(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                UINT* argErr) const
{
    static DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    if (!params)
        params = &noArguments;
    if (params->cArgs > 0 && !params->rgvarg)
        return E_INVALIDARG;
    const Member* member = Find(id, flags);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    const bool isPut = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) &&
                       (member->kinds & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF));
    if (isPut) {
        if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTOPTIONAL;
        if (params->cArgs == 0)
            return DISP_E_BADPARAMCOUNT;
    } else if (params->cNamedArgs > 0) {
        return DISP_E_NONAMEDARGS;
    }
    const DispatchArgs args(*params, isPut);
    try {
        _variant_t value = member->handler(args);
        if (result) {
            VariantInit(result);
            *result = value.Detach();
        }
        return S_OK;
    } catch (const DispatchArgumentError& error) {
        if (argErr && error.hr != DISP_E_BADPARAMCOUNT)
            *argErr = error.index == DispatchArgumentError::kPutValueIndex ? 0 : args.RawIndex(error.index);
        return error.hr;
    } catch (const _com_error& error) {
        FillException(error, excepInfo);
        return DISP_E_EXCEPTION;
    }
}

} // namespace tw::com
