#include "tools/rc/RcImage.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/win32/resource/ResourceBytes.h"

namespace tw::rc {

namespace image_detail {

std::string TrimLine(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const size_t last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

int ReadInt(std::istringstream& in, const RcLocation& where, const char* what)
{
    long value = 0;
    if (!(in >> value) || value < 0 || value > 4096)
        throw RcError(where, std::string("bad ") + what);
    return static_cast<int>(value);
}

uint32_t ReadColour(const std::string& text, const RcLocation& where)
{
    if (text.size() != 7 || text[0] != '#' ||
        !std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        throw RcError(where, "colour must be #RRGGBB or transparent, found '" + text + "'");
    return static_cast<uint32_t>(std::stoul(text.substr(1), nullptr, 16));
}

int SmallestDepth(size_t paletteSize)
{
    if (paletteSize <= 2)
        return 1;
    if (paletteSize <= 16)
        return 4;
    return 8;
}

void Validate(RcImage& image, const RcLocation& where)
{
    if (image.width == 0 || image.height == 0)
        throw RcError(where, "image has no size");
    if (image.palette.empty())
        throw RcError(where, "image has no palette");
    if (image.pixels.size() != size_t(image.width) * image.height)
        throw RcError(where, "image needs " + std::to_string(image.height) + " rows of pixels");
    if (image.palette.size() > 256)
        throw RcError(where, "more than 256 colours");
    if (image.bits == 0)
        image.bits = SmallestDepth(image.palette.size());
    if (image.bits != 24 && image.palette.size() > (size_t(1) << image.bits))
        throw RcError(where, std::to_string(image.palette.size()) + " colours do not fit in " +
                                 std::to_string(image.bits) + " bits");
}

size_t RowBytes(int width, int bits)
{
    return ((size_t(width) * bits + 31) / 32) * 4;
}

void WriteHeader(res::ByteWriter& out, const RcImage& image, int storedHeight, size_t imageSize)
{
    out.Dword(40);
    out.Dword(static_cast<DWORD>(image.width));
    out.Dword(static_cast<DWORD>(storedHeight));
    out.Word(1);
    out.Word(static_cast<WORD>(image.bits));
    out.Dword(0);  // BI_RGB
    out.Dword(static_cast<DWORD>(imageSize));
    out.Dword(0);
    out.Dword(0);
    out.Dword(0);
    out.Dword(0);
}

void WritePalette(res::ByteWriter& out, const RcImage& image)
{
    if (image.bits > 8)
        return;
    const size_t entries = size_t(1) << image.bits;
    for (size_t i = 0; i < entries; ++i) {
        const uint32_t rgb = i < image.palette.size() && !image.transparentEntry[i] ? image.palette[i] : 0;
        out.Byte(static_cast<BYTE>(rgb & 0xFF));
        out.Byte(static_cast<BYTE>((rgb >> 8) & 0xFF));
        out.Byte(static_cast<BYTE>((rgb >> 16) & 0xFF));
        out.Byte(0);
    }
}

void WriteColourRows(res::ByteWriter& out, const RcImage& image)
{
    const size_t rowBytes = RowBytes(image.width, image.bits);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<BYTE> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            const int index = image.pixels[size_t(y) * image.width + x];
            if (image.bits == 24) {
                const uint32_t rgb = image.transparentEntry[index] ? 0 : image.palette[index];
                row[x * 3] = static_cast<BYTE>(rgb & 0xFF);
                row[x * 3 + 1] = static_cast<BYTE>((rgb >> 8) & 0xFF);
                row[x * 3 + 2] = static_cast<BYTE>((rgb >> 16) & 0xFF);
                continue;
            }
            const size_t bit = size_t(x) * image.bits;
            const int shift = 8 - image.bits - int(bit % 8);
            row[bit / 8] |= static_cast<BYTE>(index << shift);
        }
        out.Bytes(row.data(), row.size());
    }
}

void WriteMaskRows(res::ByteWriter& out, const RcImage& image)
{
    const size_t rowBytes = RowBytes(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<BYTE> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            if (image.transparentEntry[image.pixels[size_t(y) * image.width + x]])
                row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
        out.Bytes(row.data(), row.size());
    }
}

}  // namespace image_detail

bool RcImage::HasMask() const
{
    return std::find(transparentEntry.begin(), transparentEntry.end(), true) != transparentEntry.end();
}

std::vector<RcImage> ParseImageText(const std::string& text, const std::string& fileName)
{
    using namespace image_detail;
    enum class Section { None, Header, Palette, Pixels };
    std::vector<RcImage> images;
    std::map<char, int> keys;  // palette character -> index, of the image being read
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    Section section = Section::None;
    RcLocation imageStart{fileName, 1};
    int rowsRead = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const RcLocation where{fileName, lineNumber};
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (section == Section::Pixels && rowsRead < images.back().height) {
            RcImage& image = images.back();
            if (line.size() != size_t(image.width))
                throw RcError(where, "row has " + std::to_string(line.size()) + " pixels, the image is " +
                                         std::to_string(image.width) + " wide");
            for (char c : line) {
                const auto key = keys.find(c);
                if (key == keys.end())
                    throw RcError(where, std::string("pixel '") + c + "' is not in the palette");
                image.pixels.push_back(key->second);
            }
            ++rowsRead;
            continue;
        }
        const std::string trimmed = TrimLine(line);
        if (trimmed.empty() || trimmed.rfind("//", 0) == 0)
            continue;
        std::istringstream words(trimmed);
        std::string keyword;
        words >> keyword;
        if (keyword == "image") {
            if (!images.empty())
                Validate(images.back(), imageStart);
            images.emplace_back();
            keys.clear();
            imageStart = where;
            images.back().width = ReadInt(words, where, "width");
            images.back().height = ReadInt(words, where, "height");
            section = Section::Header;
            rowsRead = 0;
            continue;
        }
        if (section == Section::None)
            throw RcError(where, "an image file starts with 'image <width> <height>'");
        RcImage& image = images.back();
        if (keyword == "bits" && section == Section::Header) {
            image.bits = ReadInt(words, where, "bits");
            if (image.bits != 1 && image.bits != 4 && image.bits != 8 && image.bits != 24)
                throw RcError(where, "bits must be 1, 4, 8 or 24");
        } else if (keyword == "hotspot" && section == Section::Header) {
            image.hotX = ReadInt(words, where, "hot spot");
            image.hotY = ReadInt(words, where, "hot spot");
        } else if (keyword == "palette" && section == Section::Header) {
            section = Section::Palette;
        } else if (keyword == "pixels" && section == Section::Palette) {
            section = Section::Pixels;
        } else if (section == Section::Palette && keyword.size() == 1) {
            std::string colour;
            words >> colour;
            if (keys.count(keyword[0]))
                throw RcError(where, "palette character '" + keyword + "' given twice");
            keys[keyword[0]] = static_cast<int>(image.palette.size());
            const bool transparent = colour == "transparent";
            image.palette.push_back(transparent ? 0 : ReadColour(colour, where));
            image.transparentEntry.push_back(transparent);
        } else {
            throw RcError(where, "unexpected '" + keyword + "'");
        }
    }
    if (images.empty())
        throw RcError({fileName, lineNumber}, "no image in the file");
    Validate(images.back(), imageStart);
    return images;
}

std::vector<RcImage> ReadImageFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RcError({path, 0}, "cannot open image file");
    std::stringstream content;
    content << in.rdbuf();
    return ParseImageText(content.str(), path);
}

std::vector<BYTE> ImageToDib(const RcImage& image)
{
    using namespace image_detail;
    res::ByteWriter out;
    WriteHeader(out, image, image.height, RowBytes(image.width, image.bits) * image.height);
    WritePalette(out, image);
    WriteColourRows(out, image);
    return out.Take();
}

std::vector<BYTE> ImageToIconDib(const RcImage& image)
{
    using namespace image_detail;
    res::ByteWriter out;
    const size_t colourSize = RowBytes(image.width, image.bits) * image.height;
    const size_t maskSize = RowBytes(image.width, 1) * image.height;
    WriteHeader(out, image, image.height * 2, colourSize + maskSize);
    WritePalette(out, image);
    WriteColourRows(out, image);
    WriteMaskRows(out, image);
    return out.Take();
}

}  // namespace tw::rc
