#include "platform/win32/gdi/TextEngine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <strings.h>
#include <pango/pangocairo.h>

namespace tw::gdi {

namespace {

constexpr double kTextDpi = 96.0;
// Height of a face asked for with lfHeight 0.
constexpr int kTextDefaultCellHeight = 16;

struct FaceAlias {
    const char* name;
    const char* family;
};

constexpr FaceAlias kTextFaceAliases[] = {
    {"MS Sans Serif", "Liberation Sans"},   {"Microsoft Sans Serif", "Liberation Sans"},
    {"MS Shell Dlg", "Liberation Sans"},    {"MS Shell Dlg 2", "Liberation Sans"},
    {"Tahoma", "Liberation Sans"},          {"Arial", "Liberation Sans"},
    {"System", "Liberation Sans"},          {"Helv", "Liberation Sans"},
    {"Verdana", "DejaVu Sans"},             {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},         {"Fixedsys", "Liberation Mono"},
    {"Terminal", "Liberation Mono"},        {"Lucida Console", "Liberation Mono"},
    {"Times New Roman", "Liberation Serif"}, {"Times", "Liberation Serif"},
    {"MS Serif", "Liberation Serif"},
};

bool TextSameName(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

std::string TextLogFontKey(const LOGFONTA& lf)
{
    LOGFONTA copy = lf;
    copy.lfFaceName[LF_FACESIZE - 1] = 0;
    std::string face = copy.lfFaceName;
    std::memset(copy.lfFaceName, 0, sizeof(copy.lfFaceName));
    std::string key(reinterpret_cast<const char*>(&copy), sizeof(copy));
    for (char& c : face)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return key + face;
}

}  // namespace

struct TextEngine::Impl {
    PangoFontMap* fontMap = nullptr;
    PangoContext* context = nullptr;
    std::map<std::string, std::unique_ptr<FontInfo>> fonts;
    std::map<const FontInfo*, PangoFontDescription*> descriptions;
    std::vector<std::string> families;

    Impl()
    {
        fontMap = pango_cairo_font_map_new();
        pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(fontMap), kTextDpi);
        context = pango_font_map_create_context(fontMap);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        pango_context_set_round_glyph_positions(context, TRUE);
        PangoFontFamily** list = nullptr;
        int count = 0;
        pango_font_map_list_families(fontMap, &list, &count);
        for (int i = 0; i < count; ++i)
            families.emplace_back(pango_font_family_get_name(list[i]));
        g_free(list);
        std::sort(families.begin(), families.end());
    }

    ~Impl()
    {
        for (auto& [font, description] : descriptions)
            pango_font_description_free(description);
        g_object_unref(context);
        g_object_unref(fontMap);
    }

    PangoLayout* MakeLayout(const FontInfo& font, std::string_view text)
    {
        PangoLayout* layout = pango_layout_new(context);
        pango_layout_set_font_description(layout, descriptions.at(&font));
        pango_layout_set_text(layout, text.data(), int(text.size()));
        PangoAttrList* attributes = pango_attr_list_new();
        pango_attr_list_insert(attributes, pango_attr_font_features_new("kern 0, liga 0, clig 0"));
        if (font.underline)
            pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
        if (font.strikeOut)
            pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
        pango_layout_set_attributes(layout, attributes);
        pango_attr_list_unref(attributes);
        pango_layout_set_single_paragraph_mode(layout, TRUE);
        return layout;
    }

    int LayoutWidth(PangoLayout* layout)
    {
        PangoRectangle logical;
        pango_layout_get_pixel_extents(layout, nullptr, &logical);
        return logical.width;
    }

    // Sizes the face so that lfHeight holds: negative is the em height,
    // positive the whole cell (ascent and descent).
    void Measure(FontInfo& font, PangoFontDescription* description, LONG lfHeight)
    {
        auto measureAt = [&](double em) {
            pango_font_description_set_absolute_size(description, em * PANGO_SCALE);
            PangoLayout* layout = MakeLayout(font, "Ag");
            const int baseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
            PangoRectangle logical;
            pango_layout_get_pixel_extents(layout, nullptr, &logical);
            g_object_unref(layout);
            return std::pair<int, int>(baseline, logical.height);
        };
        double em;
        if (lfHeight < 0) {
            em = -lfHeight;
        } else {
            const int wanted = lfHeight == 0 ? kTextDefaultCellHeight : lfHeight;
            const int bigHeight = measureAt(1000).second;
            em = std::max(1.0, std::floor(wanted * 1000.0 / bigHeight + 0.5));
            // Hinting rounds each size differently; step down until the cell fits.
            while (em > 1 && measureAt(em).second > wanted)
                em -= 1;
        }
        const auto [ascent, height] = measureAt(em);
        font.em = int(em);
        font.ascent = ascent;
        font.height = height;
        font.descent = height - ascent;
        font.internalLeading = std::max(0, height - font.em);
    }
};

TextEngine& TextEngine::Instance()
{
    static TextEngine engine;
    return engine;
}

TextEngine::TextEngine() : impl_(std::make_unique<Impl>()) {}

TextEngine::~TextEngine() = default;

std::vector<std::string> TextEngine::Families() { return impl_->families; }

std::string TextEngine::MapFace(const char* face, BYTE pitchAndFamily, const std::vector<std::string>& installed)
{
    const std::string name = face ? face : "";
    for (const FaceAlias& alias : kTextFaceAliases) {
        if (TextSameName(name, alias.name))
            return alias.family;
    }
    for (const std::string& family : installed) {
        if (!name.empty() && TextSameName(family, name.c_str()))
            return family;
    }
    if ((pitchAndFamily & 0x3) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
        return "Liberation Mono";
    if ((pitchAndFamily & 0xF0) == FF_ROMAN)
        return "Liberation Serif";
    return "Liberation Sans";
}

const FontInfo& TextEngine::Resolve(const LOGFONTA& lf)
{
    const std::string key = TextLogFontKey(lf);
    auto found = impl_->fonts.find(key);
    if (found != impl_->fonts.end())
        return *found->second;

    auto font = std::make_unique<FontInfo>();
    char face[LF_FACESIZE];
    std::memcpy(face, lf.lfFaceName, LF_FACESIZE);
    face[LF_FACESIZE - 1] = 0;
    font->faceName = face[0] ? face : "System";
    font->marlett = TextSameName(font->faceName, "Marlett");
    font->weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : int(lf.lfWeight);
    font->italic = lf.lfItalic != 0;
    font->underline = lf.lfUnderline != 0;
    font->strikeOut = lf.lfStrikeOut != 0;
    font->escapement = int(lf.lfEscapement);
    font->antialiased = lf.lfQuality != NONANTIALIASED_QUALITY;
    font->charSet = font->marlett ? BYTE(SYMBOL_CHARSET) : BYTE(ANSI_CHARSET);

    if (font->marlett) {
        // Square glyph cells a whole em high.
        font->family = "Marlett";
        font->em = lf.lfHeight < 0 ? int(-lf.lfHeight) : (lf.lfHeight == 0 ? kTextDefaultCellHeight : int(lf.lfHeight));
        font->ascent = font->em;
        font->descent = 0;
        font->height = font->em;
        font->aveCharWidth = font->maxCharWidth = font->em;
        font->fixedPitch = true;
        font->family_bits = FF_DECORATIVE;
        FontInfo& stored = *font;
        impl_->fonts[key] = std::move(font);
        return stored;
    }

    font->family = MapFace(face, lf.lfPitchAndFamily, impl_->families);
    font->fixedPitch = font->family.find("Mono") != std::string::npos;
    font->family_bits = font->fixedPitch ? FF_MODERN : font->family.find("Serif") != std::string::npos &&
                                                               font->family.find("Sans") == std::string::npos
                                                           ? FF_ROMAN
                                                           : FF_SWISS;
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, font->family.c_str());
    pango_font_description_set_weight(description, PangoWeight(std::clamp(font->weight, 100, 1000)));
    pango_font_description_set_style(description, font->italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    impl_->descriptions[font.get()] = description;
    impl_->Measure(*font, description, lf.lfHeight);
    PangoLayout* average = impl_->MakeLayout(*font, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    font->aveCharWidth = (impl_->LayoutWidth(average) / 26 + 1) / 2;
    g_object_unref(average);
    int widest = 0;
    for (const char* sample : {"W", "M", "@", "m"}) {
        PangoLayout* layout = impl_->MakeLayout(*font, sample);
        widest = std::max(widest, impl_->LayoutWidth(layout));
        g_object_unref(layout);
    }
    font->maxCharWidth = widest;
    if (lf.lfWidth > 0 && font->aveCharWidth > 0) {
        // A given average width stretches or narrows the face across only.
        font->widthScale = double(lf.lfWidth) / font->aveCharWidth;
        font->aveCharWidth = int(lf.lfWidth);
        font->maxCharWidth = font->Scaled(widest);
    }
    FontInfo& stored = *font;
    impl_->fonts[key] = std::move(font);
    return stored;
}

int TextEngine::Width(const FontInfo& font, std::string_view utf8)
{
    if (utf8.empty())
        return 0;
    if (font.marlett)
        return int(g_utf8_strlen(utf8.data(), gssize(utf8.size()))) * font.em;
    PangoLayout* layout = impl_->MakeLayout(font, utf8);
    const int width = font.Scaled(impl_->LayoutWidth(layout));
    g_object_unref(layout);
    return width;
}

std::vector<TextEngine::Boundary> TextEngine::Boundaries(const FontInfo& font, std::string_view utf8)
{
    std::vector<Boundary> boundaries;
    if (font.marlett) {
        int x = 0;
        for (size_t i = 0; i <= utf8.size();) {
            boundaries.push_back(Boundary{i, x});
            if (i == utf8.size())
                break;
            const char* next = g_utf8_find_next_char(utf8.data() + i, utf8.data() + utf8.size());
            i = next ? size_t(next - utf8.data()) : utf8.size();
            x += font.em;
        }
        return boundaries;
    }
    PangoLayout* layout = impl_->MakeLayout(font, utf8);
    const int total = font.Scaled(impl_->LayoutWidth(layout));
    for (size_t i = 0; i < utf8.size();) {
        PangoRectangle pos;
        pango_layout_index_to_pos(layout, int(i), &pos);
        boundaries.push_back(Boundary{i, font.Scaled(PANGO_PIXELS(pos.x))});
        const char* next = g_utf8_find_next_char(utf8.data() + i, utf8.data() + utf8.size());
        i = next ? size_t(next - utf8.data()) : utf8.size();
    }
    boundaries.push_back(Boundary{utf8.size(), total});
    g_object_unref(layout);
    return boundaries;
}

TextRaster TextEngine::Render(const FontInfo& font, std::string_view utf8)
{
    TextRaster raster;
    raster.height = font.height;
    if (font.marlett) {
        raster.advance = Width(font, utf8);
        raster.width = std::max(1, raster.advance);
        raster.coverage.assign(size_t(raster.width) * std::max(1, raster.height), 0);
        int x = 0;
        for (size_t i = 0; i < utf8.size(); ++i, x += font.em)
            DrawMarlettGlyph(utf8[i], font.em, x, 0, raster);
        return raster;
    }
    PangoLayout* layout = utf8.empty() ? nullptr : impl_->MakeLayout(font, utf8);
    raster.advance = layout ? font.Scaled(impl_->LayoutWidth(layout)) : 0;
    // Italic and bold glyphs reach past their advance.
    const int pad = font.em / 3 + 2;
    raster.width = raster.advance + 2 * pad;
    raster.originX = pad;
    raster.coverage.assign(size_t(std::max(1, raster.width)) * std::max(1, raster.height), 0);
    if (!layout || raster.height <= 0) {
        if (layout)
            g_object_unref(layout);
        return raster;
    }
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_A8, raster.width);
    std::vector<uint8_t> buffer(size_t(stride) * raster.height, 0);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(buffer.data(), CAIRO_FORMAT_A8, raster.width, raster.height, stride);
    cairo_t* cr = cairo_create(surface);
    cairo_translate(cr, pad, 0);
    cairo_scale(cr, font.widthScale, 1.0);
    cairo_move_to(cr, 0, 0);
    pango_cairo_show_layout(cr, layout);
    g_object_unref(layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    for (int y = 0; y < raster.height; ++y)
        std::memcpy(&raster.coverage[size_t(y) * raster.width], &buffer[size_t(y) * stride], raster.width);
    if (!font.antialiased) {
        for (uint8_t& c : raster.coverage)
            c = c >= 128 ? 255 : 0;
    }
    return raster;
}

}  // namespace tw::gdi
