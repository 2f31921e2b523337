// The compiler-support classes in one include: _bstr_t, _variant_t,
// _com_error, _com_ptr_t.
#pragma once

#include "platform/com/ComBstr.h"
#include "platform/com/ComError.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ComVariant.h"
