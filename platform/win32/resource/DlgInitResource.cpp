#include "platform/win32/resource/DlgInitResource.h"

#include "platform/win32/resource/ResourceBytes.h"
#include "platform/win32/resource/ResourceLoader.h"

namespace tw::res {

std::string DlgInitRecord::Text() const
{
    std::string text(data.begin(), data.end());
    const size_t end = text.find('\0');
    if (end != std::string::npos)
        text.resize(end);
    return text;
}

std::vector<BYTE> WriteDlgInit(const std::vector<DlgInitRecord>& records)
{
    ByteWriter out;
    for (const DlgInitRecord& record : records) {
        out.Word(record.controlId);
        out.Word(record.message);
        out.Dword(static_cast<DWORD>(record.data.size()));
        out.Bytes(record.data.data(), record.data.size());
    }
    out.Word(0);
    return out.Take();
}

std::optional<std::vector<DlgInitRecord>> ParseDlgInit(const void* data, size_t size)
{
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    std::vector<DlgInitRecord> records;
    for (;;) {
        DlgInitRecord record;
        record.controlId = in.Word();
        if (!in.Ok())
            return std::nullopt;
        if (record.controlId == 0)
            return records;
        record.message = in.Word();
        const DWORD length = in.Dword();
        if (!in.Ok() || length > in.Remaining() || !in.Bytes(record.data, length))
            return std::nullopt;
        if (record.message == kDlgInitLegacyListAdd)
            record.message = kDlgInitListAddString;
        else if (record.message == kDlgInitLegacyComboAdd)
            record.message = kDlgInitComboAddString;
        records.push_back(std::move(record));
    }
}

std::optional<std::vector<BYTE>> LoadControlState(HINSTANCE module, LPCSTR templateName, WORD controlId)
{
    const BYTE* data = nullptr;
    DWORD size = 0;
    if (!FindResourceBytes(module, templateName, RT_DLGINIT, &data, &size))
        return std::nullopt;
    const auto records = ParseDlgInit(data, size);
    if (!records)
        return std::nullopt;
    for (const DlgInitRecord& record : *records) {
        if (record.controlId == controlId && record.message == kDlgInitControlState)
            return record.data;
    }
    return std::nullopt;
}

}  // namespace tw::res
