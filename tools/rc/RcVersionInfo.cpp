#include "tools/rc/RcVersionInfo.h"

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::rc {

namespace version_detail {

constexpr DWORD kFixedSignature = 0xFEEF04BD;
constexpr DWORD kFixedStructVersion = 0x00010000;

// Writes a node whose value is already laid out; returns nothing, patches the
// node's length once its children are written.
void WriteNode(res::ByteWriter& out, const std::string& key, WORD valueLength, WORD type,
               const std::vector<BYTE>& value, const std::vector<VersionNode>& children);

void WriteChild(res::ByteWriter& out, const VersionNode& node)
{
    // Blocks (StringFileInfo, a string table, VarFileInfo) are marked as text.
    if (!node.children.empty() || (!node.isText && node.binary.empty())) {
        WriteNode(out, node.key, 0, 1, {}, node.children);
        return;
    }
    if (!node.isText) {
        WriteNode(out, node.key, static_cast<WORD>(node.binary.size()), 0, node.binary, node.children);
        return;
    }
    res::ByteWriter value;
    std::string text = node.text;
    if (text.empty() || text.back() != '\0')
        text += '\0';
    const std::u16string units = res::Utf8ToUtf16(text);
    for (char16_t unit : units)
        value.Word(unit);
    WriteNode(out, node.key, static_cast<WORD>(units.size()), 1, value.Data(), node.children);
}

void WriteNode(res::ByteWriter& out, const std::string& key, WORD valueLength, WORD type,
               const std::vector<BYTE>& value, const std::vector<VersionNode>& children)
{
    out.AlignTo(4);
    const size_t start = out.Size();
    out.Word(0);
    out.Word(valueLength);
    out.Word(type);
    out.Utf16z(key);
    out.AlignTo(4);
    out.Bytes(value.data(), value.size());
    for (const VersionNode& child : children)
        WriteChild(out, child);
    out.PatchWord(start, static_cast<WORD>(out.Size() - start));
}

}  // namespace version_detail

std::vector<BYTE> WriteVersionInfo(const FixedFileInfo& fixed, const std::vector<VersionNode>& blocks)
{
    res::ByteWriter value;
    value.Dword(version_detail::kFixedSignature);
    value.Dword(version_detail::kFixedStructVersion);
    value.Dword(fixed.fileVersionMS);
    value.Dword(fixed.fileVersionLS);
    value.Dword(fixed.productVersionMS);
    value.Dword(fixed.productVersionLS);
    value.Dword(fixed.fileFlagsMask);
    value.Dword(fixed.fileFlags);
    value.Dword(fixed.fileOS);
    value.Dword(fixed.fileType);
    value.Dword(fixed.fileSubtype);
    value.Dword(0);  // file date, never set
    value.Dword(0);
    res::ByteWriter out;
    version_detail::WriteNode(out, "VS_VERSION_INFO", static_cast<WORD>(value.Size()), 0, value.Data(), blocks);
    return out.Take();
}

}  // namespace tw::rc
