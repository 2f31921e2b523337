#include "platform/win32/resource/DialogTemplate.h"

#include <cctype>

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::res {

namespace dialog_detail {

constexpr WORD kExtendedSignature = 0xFFFF;

const char* const kClassNames[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};

void WriteNameOrOrdinal(ByteWriter& out, const NameOrOrdinal& value)
{
    switch (value.kind) {
    case NameOrOrdinal::Kind::None:
        out.Word(0);
        break;
    case NameOrOrdinal::Kind::Ordinal:
        out.Word(0xFFFF);
        out.Word(value.ordinal);
        break;
    case NameOrOrdinal::Kind::Text:
        out.Utf16z(value.text);
        break;
    }
}

NameOrOrdinal ReadNameOrOrdinal(ByteReader& in)
{
    const WORD first = in.Word();
    if (first == 0)
        return {};
    if (first == 0xFFFF)
        return NameOrOrdinal::FromOrdinal(in.Word());
    std::u16string units(1, static_cast<char16_t>(first));
    for (WORD unit = in.Word(); in.Ok() && unit != 0; unit = in.Word())
        units += static_cast<char16_t>(unit);
    return NameOrOrdinal::FromText(Utf16ToUtf8(units));
}

bool HasFont(DWORD style)
{
    return (style & kDialogStyleSetFont) != 0;
}

void WriteItem(ByteWriter& out, const DialogItemTemplate& item, bool extended)
{
    out.AlignTo(4);
    if (extended) {
        out.Dword(item.helpId);
        out.Dword(item.exStyle);
        out.Dword(item.style);
    } else {
        out.Dword(item.style);
        out.Dword(item.exStyle);
    }
    out.Word(static_cast<WORD>(item.x));
    out.Word(static_cast<WORD>(item.y));
    out.Word(static_cast<WORD>(item.cx));
    out.Word(static_cast<WORD>(item.cy));
    if (extended)
        out.Dword(item.id);
    else
        out.Word(static_cast<WORD>(item.id));
    WriteNameOrOrdinal(out, item.windowClass);
    WriteNameOrOrdinal(out, item.title);
    // The plain form counts its own size word in a non-empty count.
    const size_t dataSize = item.creationData.size();
    if (extended || dataSize == 0)
        out.Word(static_cast<WORD>(dataSize));
    else
        out.Word(static_cast<WORD>(dataSize + 2));
    out.Bytes(item.creationData.data(), dataSize);
}

bool ReadItem(ByteReader& in, DialogItemTemplate& item, bool extended)
{
    in.AlignTo(4);
    if (extended) {
        item.helpId = in.Dword();
        item.exStyle = in.Dword();
        item.style = in.Dword();
    } else {
        item.style = in.Dword();
        item.exStyle = in.Dword();
    }
    item.x = static_cast<short>(in.Word());
    item.y = static_cast<short>(in.Word());
    item.cx = static_cast<short>(in.Word());
    item.cy = static_cast<short>(in.Word());
    item.id = extended ? in.Dword() : in.Word();
    item.windowClass = ReadNameOrOrdinal(in);
    item.title = ReadNameOrOrdinal(in);
    size_t dataSize = in.Word();
    if (!extended && dataSize >= 2)
        dataSize -= 2;
    if (dataSize)
        in.Bytes(item.creationData, dataSize);
    return in.Ok();
}

}  // namespace dialog_detail

const char* ClassNameOfAtom(WORD atom)
{
    if (atom < kClassAtomButton || atom > kClassAtomComboBox)
        return nullptr;
    return dialog_detail::kClassNames[atom - kClassAtomButton];
}

WORD AtomOfClassName(std::string_view name)
{
    for (WORD atom = kClassAtomButton; atom <= kClassAtomComboBox; ++atom) {
        const std::string_view known = ClassNameOfAtom(atom);
        if (known.size() != name.size())
            continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i)
            same = std::toupper(static_cast<unsigned char>(name[i])) == std::toupper(static_cast<unsigned char>(known[i]));
        if (same)
            return atom;
    }
    return 0;
}

std::vector<BYTE> WriteDialogTemplate(const DialogTemplate& dialog)
{
    using namespace dialog_detail;
    ByteWriter out;
    if (dialog.extended) {
        out.Word(1);
        out.Word(kExtendedSignature);
        out.Dword(dialog.helpId);
        out.Dword(dialog.exStyle);
        out.Dword(dialog.style);
    } else {
        out.Dword(dialog.style);
        out.Dword(dialog.exStyle);
    }
    out.Word(static_cast<WORD>(dialog.items.size()));
    out.Word(static_cast<WORD>(dialog.x));
    out.Word(static_cast<WORD>(dialog.y));
    out.Word(static_cast<WORD>(dialog.cx));
    out.Word(static_cast<WORD>(dialog.cy));
    WriteNameOrOrdinal(out, dialog.menu);
    WriteNameOrOrdinal(out, dialog.windowClass);
    out.Utf16z(dialog.title);
    if (HasFont(dialog.style)) {
        out.Word(dialog.pointSize);
        if (dialog.extended) {
            out.Word(dialog.weight);
            out.Byte(dialog.italic);
            out.Byte(dialog.charset);
        }
        out.Utf16z(dialog.typeface);
    }
    for (const DialogItemTemplate& item : dialog.items)
        WriteItem(out, item, dialog.extended);
    return out.Take();
}

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, size_t size)
{
    using namespace dialog_detail;
    if (!data)
        return std::nullopt;
    ByteReader in(data, size);
    DialogTemplate dialog;
    ByteReader probe(data, size);
    probe.Word();
    dialog.extended = probe.Ok() && probe.Word() == kExtendedSignature;
    if (dialog.extended) {
        if (in.Word() != 1)
            return std::nullopt;
        in.Word();
        dialog.helpId = in.Dword();
        dialog.exStyle = in.Dword();
        dialog.style = in.Dword();
    } else {
        dialog.style = in.Dword();
        dialog.exStyle = in.Dword();
    }
    const WORD itemCount = in.Word();
    dialog.x = static_cast<short>(in.Word());
    dialog.y = static_cast<short>(in.Word());
    dialog.cx = static_cast<short>(in.Word());
    dialog.cy = static_cast<short>(in.Word());
    dialog.menu = ReadNameOrOrdinal(in);
    dialog.windowClass = ReadNameOrOrdinal(in);
    dialog.title = in.Utf16z();
    if (HasFont(dialog.style)) {
        dialog.pointSize = in.Word();
        if (dialog.extended) {
            dialog.weight = in.Word();
            dialog.italic = in.Byte();
            dialog.charset = in.Byte();
        }
        dialog.typeface = in.Utf16z();
    }
    if (!in.Ok())
        return std::nullopt;
    dialog.items.resize(itemCount);
    for (DialogItemTemplate& item : dialog.items) {
        if (!ReadItem(in, item, dialog.extended))
            return std::nullopt;
    }
    return dialog;
}

}  // namespace tw::res
