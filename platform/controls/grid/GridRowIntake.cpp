#include "platform/controls/grid/GridRowIntake.h"

#include "platform/win32/kernel/Utf8Text.h"

namespace tw::grid {

namespace {

// The array a record arrives in, by value or by reference; null for anything else.
SAFEARRAY* RecordArray(const VARIANT& record)
{
    const VARIANT* value = &record;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == (VT_ARRAY | VT_VARIANT))
        return value->parray;
    if (value->vt == (VT_BYREF | VT_ARRAY | VT_VARIANT) && value->pparray)
        return *value->pparray;
    return nullptr;
}

// Most cells are ASCII: those are narrowed in one pass into room made at once.
void AppendCellText(std::string& out, BSTR text)
{
    const size_t length = SysStringLen(text);
    size_t ascii = 0;
    while (ascii < length && text[ascii] < 0x80)
        ++ascii;
    const size_t start = out.size();
    out.resize(start + ascii);
    for (size_t i = 0; i < ascii; ++i)
        out[start + i] = static_cast<char>(text[i]);
    if (ascii < length)
        AppendUtf16AsUtf8(out, std::u16string_view(text + ascii, length - ascii));
}

bool PackableCell(const VARIANT& cell)
{
    return cell.vt == VT_BSTR || cell.vt == VT_NULL || cell.vt == VT_EMPTY;
}

}  // namespace

void GridRowIntake::Publish(const Shape& shape)
{
    std::lock_guard lock(mutex_);
    shape_ = shape;
}

GridRowIntake::Offer GridRowIntake::Take(const VARIANT& record)
{
    SAFEARRAY* array = RecordArray(record);
    if (!array || SafeArrayGetDim(array) != 1)
        return Offer::Refused;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    const LONG count = upper - lower + 1;
    VARIANT* cells = nullptr;
    if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&cells))))
        return Offer::Refused;
    bool packable = true;
    for (LONG i = 0; i < count && packable; ++i)
        packable = PackableCell(cells[i]);
    Offer offer = Offer::Refused;
    if (packable) {
        std::lock_guard lock(mutex_);
        if (shape_.open && !shape_.bound && count <= shape_.fieldCount && waiting_.text.size() < kNull / 2) {
            for (LONG i = 0; i < count; ++i) {
                const VARIANT& cell = cells[i];
                if (cell.vt == VT_BSTR)
                    AppendCellText(waiting_.text, cell.bstrVal);
                waiting_.cellEnds.push_back(uint32_t(waiting_.text.size()) | (cell.vt == VT_BSTR ? 0 : kNull));
            }
            waiting_.rowEnds.push_back(uint32_t(waiting_.cellEnds.size()));
            offer = pending_.exchange(true, std::memory_order_acq_rel) ? Offer::Taken : Offer::TakenFirst;
        }
    }
    SafeArrayUnaccessData(array);
    return offer;
}

}  // namespace tw::grid
