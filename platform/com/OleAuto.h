// The automation values in one include: BSTR, VARIANT and its conversions,
// DATE, SAFEARRAY.
#pragma once

#include "platform/com/Bstr.h"
#include "platform/com/OleTypes.h"
#include "platform/com/SafeArray.h"
#include "platform/com/Variant.h"
#include "platform/com/VariantConvert.h"
#include "platform/com/VariantDate.h"
