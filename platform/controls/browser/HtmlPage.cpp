#include "platform/controls/browser/HtmlPage.h"

#include <cairo.h>
#include <glib.h>
#include <pango/pangocairo.h>

#include <litehtml/litehtml.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "platform/controls/browser/HtmlStyles.h"

namespace tw::browser {

namespace htmlpage_detail {

constexpr int kDefaultFontSize = 16;
constexpr const char* kDefaultFontName = "Liberation Serif";

struct Font {
    PangoFontDescription* description = nullptr;
    unsigned decoration = 0;
    int ascent = 0;
    int descent = 0;
    int underlineOffset = 1;
};

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsAbsoluteReference(const std::string& reference)
{
    return !reference.empty() && (reference[0] == '/' || reference.find("://") != std::string::npos);
}

std::string ReadWholeFile(const std::string& path, bool& ok)
{
    std::ifstream file(path, std::ios::binary);
    ok = static_cast<bool>(file);
    if (!ok)
        return {};
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void SetColour(cairo_t* cr, const litehtml::web_color& colour)
{
    cairo_set_source_rgba(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0, colour.alpha / 255.0);
}

// The page's drawing callbacks: text through Pango, everything else through
// Cairo, images read once per address.
class Painter : public litehtml::document_container {
public:
    Painter()
    {
        measureSurface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        measure_ = cairo_create(measureSurface_);
    }

    ~Painter()
    {
        for (auto& [name, image] : images_)
            if (image)
                cairo_surface_destroy(image);
        cairo_destroy(measure_);
        cairo_surface_destroy(measureSurface_);
    }

    Painter(const Painter&) = delete;
    Painter& operator=(const Painter&) = delete;

    std::string basePath;
    std::string title;
    std::string cursor;
    std::optional<std::string> clickedLink;
    int viewportWidth = 0;
    int viewportHeight = 0;

    litehtml::uint_ptr create_font(const litehtml::tchar_t* faceName, int size, int weight,
                                   litehtml::font_style italic, unsigned int decoration,
                                   litehtml::font_metrics* fm) override
    {
        auto* font = new Font;
        font->description = pango_font_description_new();
        pango_font_description_set_family(font->description, faceName && *faceName ? faceName : kDefaultFontName);
        pango_font_description_set_absolute_size(font->description, std::max(1, size) * double(PANGO_SCALE));
        pango_font_description_set_weight(font->description, static_cast<PangoWeight>(std::clamp(weight, 100, 1000)));
        pango_font_description_set_style(font->description,
                                         italic == litehtml::fontStyleItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
        font->decoration = decoration;

        PangoContext* context = pango_cairo_create_context(measure_);
        PangoFontMetrics* metrics = pango_context_get_metrics(context, font->description, nullptr);
        font->ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
        font->descent = PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
        font->underlineOffset = std::max(1, -PANGO_PIXELS(pango_font_metrics_get_underline_position(metrics)));
        pango_font_metrics_unref(metrics);
        g_object_unref(context);

        if (fm) {
            fm->ascent = font->ascent;
            fm->descent = font->descent;
            fm->height = font->ascent + font->descent;
            fm->x_height = std::max(1, font->ascent / 2);
            fm->draw_spaces = (decoration & (litehtml::font_decoration_underline |
                                             litehtml::font_decoration_linethrough)) != 0;
        }
        return reinterpret_cast<litehtml::uint_ptr>(font);
    }

    void delete_font(litehtml::uint_ptr handle) override
    {
        auto* font = reinterpret_cast<Font*>(handle);
        if (!font)
            return;
        pango_font_description_free(font->description);
        delete font;
    }

    int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr handle) override
    {
        auto* font = reinterpret_cast<Font*>(handle);
        if (!font || !text)
            return 0;
        PangoLayout* layout = MakeLayout(measure_, text, *font);
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        g_object_unref(layout);
        return width;
    }

    void draw_text(litehtml::uint_ptr hdc, const litehtml::tchar_t* text, litehtml::uint_ptr handle,
                   litehtml::web_color color, const litehtml::position& pos) override
    {
        auto* cr = reinterpret_cast<cairo_t*>(hdc);
        auto* font = reinterpret_cast<Font*>(handle);
        if (!cr || !font || !text)
            return;
        cairo_save(cr);
        ApplyClip(cr);
        SetColour(cr, color);
        PangoLayout* layout = MakeLayout(cr, text, *font);
        const int baseline = pos.bottom() - font->descent;
        const int layoutBaseline = PANGO_PIXELS(pango_layout_get_baseline(layout));
        cairo_move_to(cr, pos.left(), baseline - layoutBaseline);
        pango_cairo_show_layout(cr, layout);
        int width = 0;
        pango_layout_get_pixel_size(layout, &width, nullptr);
        g_object_unref(layout);
        auto line = [&](int y) {
            cairo_rectangle(cr, pos.left(), y, width, 1);
            cairo_fill(cr);
        };
        if (font->decoration & litehtml::font_decoration_underline)
            line(baseline + font->underlineOffset);
        if (font->decoration & litehtml::font_decoration_linethrough)
            line(baseline - font->ascent / 3);
        if (font->decoration & litehtml::font_decoration_overline)
            line(baseline - font->ascent);
        cairo_restore(cr);
    }

    int pt_to_px(int pt) const override { return int(std::lround(pt * 96.0 / 72.0)); }
    int get_default_font_size() const override { return kDefaultFontSize; }
    const litehtml::tchar_t* get_default_font_name() const override { return kDefaultFontName; }

    void draw_list_marker(litehtml::uint_ptr hdc, const litehtml::list_marker& marker) override
    {
        auto* cr = reinterpret_cast<cairo_t*>(hdc);
        if (!cr)
            return;
        cairo_save(cr);
        ApplyClip(cr);
        if (!marker.image.empty()) {
            if (cairo_surface_t* image = Image(marker.image, marker.baseurl ? marker.baseurl : "")) {
                cairo_set_source_surface(cr, image, marker.pos.x, marker.pos.y);
                cairo_paint(cr);
                cairo_restore(cr);
                return;
            }
        }
        SetColour(cr, marker.color);
        const double x = marker.pos.x, y = marker.pos.y, w = marker.pos.width, h = marker.pos.height;
        switch (marker.marker_type) {
        case litehtml::list_style_type_circle:
            cairo_set_line_width(cr, 1);
            cairo_arc(cr, x + w / 2, y + h / 2, std::max(1.0, w / 2 - 0.5), 0, 2 * M_PI);
            cairo_stroke(cr);
            break;
        case litehtml::list_style_type_disc:
            cairo_arc(cr, x + w / 2, y + h / 2, w / 2, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        case litehtml::list_style_type_square:
            cairo_rectangle(cr, x, y, w, h);
            cairo_fill(cr);
            break;
        default:
            DrawNumberMarker(cr, marker);
            break;
        }
        cairo_restore(cr);
    }

    void load_image(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, bool) override
    {
        if (src)
            Image(src, baseurl ? baseurl : "");
    }

    void get_image_size(const litehtml::tchar_t* src, const litehtml::tchar_t* baseurl, litehtml::size& sz) override
    {
        sz.width = sz.height = 0;
        if (!src)
            return;
        if (cairo_surface_t* image = Image(src, baseurl ? baseurl : "")) {
            sz.width = cairo_image_surface_get_width(image);
            sz.height = cairo_image_surface_get_height(image);
        }
    }

    void draw_background(litehtml::uint_ptr hdc, const litehtml::background_paint& bg) override
    {
        auto* cr = reinterpret_cast<cairo_t*>(hdc);
        if (!cr)
            return;
        cairo_save(cr);
        ApplyClip(cr);
        cairo_rectangle(cr, bg.clip_box.x, bg.clip_box.y, bg.clip_box.width, bg.clip_box.height);
        cairo_clip(cr);
        if (bg.color.alpha) {
            SetColour(cr, bg.color);
            cairo_paint(cr);
        }
        if (!bg.image.empty())
            if (cairo_surface_t* image = Image(bg.image, bg.baseurl))
                PaintBackgroundImage(cr, image, bg);
        cairo_restore(cr);
    }

    void draw_borders(litehtml::uint_ptr hdc, const litehtml::borders& borders, const litehtml::position& box,
                      bool) override
    {
        auto* cr = reinterpret_cast<cairo_t*>(hdc);
        if (!cr)
            return;
        cairo_save(cr);
        ApplyClip(cr);
        DrawBorderSide(cr, borders.top, box.x, box.y, box.width, borders.top.width);
        DrawBorderSide(cr, borders.bottom, box.x, box.bottom() - borders.bottom.width, box.width, borders.bottom.width);
        DrawBorderSide(cr, borders.left, box.x, box.y, borders.left.width, box.height);
        DrawBorderSide(cr, borders.right, box.right() - borders.right.width, box.y, borders.right.width, box.height);
        cairo_restore(cr);
    }

    void set_caption(const litehtml::tchar_t* caption) override { title = caption ? caption : ""; }
    void set_base_url(const litehtml::tchar_t* base) override
    {
        if (base && *base)
            basePath = Resolve(base, "");
    }
    void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
    void on_anchor_click(const litehtml::tchar_t* url, const litehtml::element::ptr&) override
    {
        if (url)
            clickedLink = url;
    }
    void set_cursor(const litehtml::tchar_t* name) override { cursor = name ? name : ""; }

    void transform_text(litehtml::tstring& text, litehtml::text_transform tt) override
    {
        gchar* changed = nullptr;
        if (tt == litehtml::text_transform_uppercase)
            changed = g_utf8_strup(text.c_str(), gssize(text.size()));
        else if (tt == litehtml::text_transform_lowercase)
            changed = g_utf8_strdown(text.c_str(), gssize(text.size()));
        else if (tt == litehtml::text_transform_capitalize && !text.empty()) {
            const gunichar first = g_utf8_get_char_validated(text.c_str(), gssize(text.size()));
            if (first == gunichar(-1) || first == gunichar(-2))
                return;
            char upper[8] = {};
            const int length = g_unichar_to_utf8(g_unichar_toupper(first), upper);
            const char* rest = g_utf8_next_char(text.c_str());
            text = std::string(upper, size_t(length)) + rest;
            return;
        }
        if (changed) {
            text = changed;
            g_free(changed);
        }
    }

    void import_css(litehtml::tstring& text, const litehtml::tstring& url, litehtml::tstring& baseurl) override
    {
        const std::string path = Resolve(url, baseurl);
        bool ok = false;
        text = ReadWholeFile(path, ok);
        baseurl = path;
    }

    void set_clip(const litehtml::position& pos, const litehtml::border_radiuses&, bool, bool) override
    {
        clips_.push_back(pos);
    }
    void del_clip() override
    {
        if (!clips_.empty())
            clips_.pop_back();
    }

    void get_client_rect(litehtml::position& client) const override
    {
        client = litehtml::position(0, 0, viewportWidth, viewportHeight);
    }

    std::shared_ptr<litehtml::element> create_element(const litehtml::tchar_t*, const litehtml::string_map&,
                                                      const std::shared_ptr<litehtml::document>&) override
    {
        return nullptr;
    }

    void get_media_features(litehtml::media_features& media) const override
    {
        media.type = litehtml::media_type_screen;
        media.width = media.device_width = viewportWidth;
        media.height = media.device_height = viewportHeight;
        media.color = 8;
        media.monochrome = 0;
        media.color_index = 256;
        media.resolution = 96;
    }

    void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override
    {
        language = "en";
        culture = "en-US";
    }

    // A reference made absolute against a base path (a file or a folder).
    std::string Resolve(const std::string& reference, const std::string& base) const
    {
        std::string target = reference;
        if (target.rfind("file://", 0) == 0)
            target = target.substr(7);
        if (IsAbsoluteReference(target))
            return target;
        const std::string& from = base.empty() ? basePath : base;
        return FolderOf(from) + target;
    }

private:
    PangoLayout* MakeLayout(cairo_t* cr, const char* text, const Font& font)
    {
        PangoLayout* layout = pango_cairo_create_layout(cr);
        pango_layout_set_font_description(layout, font.description);
        pango_layout_set_text(layout, text, -1);
        return layout;
    }

    void ApplyClip(cairo_t* cr)
    {
        for (const litehtml::position& clip : clips_) {
            cairo_rectangle(cr, clip.x, clip.y, clip.width, clip.height);
            cairo_clip(cr);
        }
    }

    cairo_surface_t* Image(const std::string& source, const std::string& base)
    {
        const std::string path = Resolve(source, base);
        auto found = images_.find(path);
        if (found != images_.end())
            return found->second;
        cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
        if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(image);
            image = nullptr;  // not a PNG we can read: its box stays empty
        }
        images_[path] = image;
        return image;
    }

    void PaintBackgroundImage(cairo_t* cr, cairo_surface_t* image, const litehtml::background_paint& bg)
    {
        const int width = bg.image_size.width > 0 ? bg.image_size.width : cairo_image_surface_get_width(image);
        const int height = bg.image_size.height > 0 ? bg.image_size.height : cairo_image_surface_get_height(image);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image);
        cairo_matrix_t matrix;
        cairo_matrix_init_scale(&matrix, double(cairo_image_surface_get_width(image)) / std::max(1, width),
                                double(cairo_image_surface_get_height(image)) / std::max(1, height));
        cairo_matrix_translate(&matrix, -(bg.position_x), -(bg.position_y));
        cairo_pattern_set_matrix(pattern, &matrix);
        const bool repeatX = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_x;
        const bool repeatY = bg.repeat == litehtml::background_repeat_repeat ||
                             bg.repeat == litehtml::background_repeat_repeat_y;
        cairo_pattern_set_extend(pattern, repeatX || repeatY ? CAIRO_EXTEND_REPEAT : CAIRO_EXTEND_NONE);
        cairo_set_source(cr, pattern);
        const double left = repeatX ? bg.clip_box.x : bg.position_x;
        const double top = repeatY ? bg.clip_box.y : bg.position_y;
        const double w = repeatX ? bg.clip_box.width : width;
        const double h = repeatY ? bg.clip_box.height : height;
        cairo_rectangle(cr, left, top, w, h);
        cairo_fill(cr);
        cairo_pattern_destroy(pattern);
    }

    static void DrawBorderSide(cairo_t* cr, const litehtml::border& side, int x, int y, int w, int h)
    {
        if (side.width <= 0 || w <= 0 || h <= 0 || side.style == litehtml::border_style_none ||
            side.style == litehtml::border_style_hidden)
            return;
        SetColour(cr, side.color);
        if (side.style == litehtml::border_style_dotted || side.style == litehtml::border_style_dashed) {
            const double dash = side.style == litehtml::border_style_dotted ? side.width : side.width * 3.0;
            cairo_set_dash(cr, &dash, 1, 0);
            cairo_set_line_width(cr, side.width);
            const bool horizontal = w >= h;
            const double half = side.width / 2.0;
            if (horizontal) {
                cairo_move_to(cr, x, y + half);
                cairo_line_to(cr, x + w, y + half);
            } else {
                cairo_move_to(cr, x + half, y);
                cairo_line_to(cr, x + half, y + h);
            }
            cairo_stroke(cr);
            cairo_set_dash(cr, nullptr, 0, 0);
            return;
        }
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
    }

    void DrawNumberMarker(cairo_t* cr, const litehtml::list_marker& marker)
    {
        auto* font = reinterpret_cast<Font*>(marker.font);
        if (!font)
            return;
        const std::string text = MarkerText(marker.marker_type, marker.index) + ".";
        PangoLayout* layout = MakeLayout(cr, text.c_str(), *font);
        int width = 0, height = 0;
        pango_layout_get_pixel_size(layout, &width, &height);
        cairo_move_to(cr, marker.pos.right() - width, marker.pos.bottom() - height);
        pango_cairo_show_layout(cr, layout);
        g_object_unref(layout);
    }

    static std::string MarkerText(litehtml::list_style_type type, int index)
    {
        switch (type) {
        case litehtml::list_style_type_lower_alpha:
        case litehtml::list_style_type_lower_latin:
            return Alphabetic(index, 'a');
        case litehtml::list_style_type_upper_alpha:
        case litehtml::list_style_type_upper_latin:
            return Alphabetic(index, 'A');
        case litehtml::list_style_type_lower_roman:
            return Roman(index, false);
        case litehtml::list_style_type_upper_roman:
            return Roman(index, true);
        case litehtml::list_style_type_decimal_leading_zero:
            return (index < 10 ? "0" : "") + std::to_string(index);
        default:
            return std::to_string(index);
        }
    }

    static std::string Alphabetic(int index, char first)
    {
        std::string text;
        for (int n = std::max(1, index); n > 0; n = (n - 1) / 26)
            text.insert(text.begin(), char(first + (n - 1) % 26));
        return text;
    }

    static std::string Roman(int index, bool upper)
    {
        static const std::pair<int, const char*> kDigits[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                             {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                             {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},
                                                             {1, "i"}};
        if (index <= 0 || index >= 4000)
            return std::to_string(index);
        std::string text;
        for (const auto& [value, digits] : kDigits)
            for (; index >= value; index -= value)
                text += digits;
        if (upper)
            std::transform(text.begin(), text.end(), text.begin(), [](char c) { return char(c - 'a' + 'A'); });
        return text;
    }

    cairo_surface_t* measureSurface_ = nullptr;
    cairo_t* measure_ = nullptr;
    std::map<std::string, cairo_surface_t*> images_;
    std::vector<litehtml::position> clips_;
};

}  // namespace htmlpage_detail

struct HtmlPage::Impl {
    Impl() { context.load_master_stylesheet(DefaultStyleSheet()); }

    litehtml::context context;
    htmlpage_detail::Painter painter;
    litehtml::document::ptr document;
    int width = 0;
    int height = 0;
};

HtmlPage::HtmlPage() : impl_(std::make_unique<Impl>()) {}

HtmlPage::~HtmlPage()
{
    // The document's fonts are released through the painter, so it goes first.
    impl_->document.reset();
}

void HtmlPage::Load(const std::string& html, const std::string& basePath)
{
    impl_->document.reset();
    impl_->painter.title.clear();
    impl_->painter.cursor.clear();
    impl_->painter.basePath = basePath;
    impl_->document = litehtml::document::createFromUTF8(html.c_str(), &impl_->painter, &impl_->context);
    impl_->width = impl_->height = 0;
}

bool HtmlPage::Loaded() const
{
    return impl_->document != nullptr;
}

int HtmlPage::Layout(int viewportWidth, int viewportHeight)
{
    impl_->painter.viewportWidth = std::max(0, viewportWidth);
    impl_->painter.viewportHeight = std::max(0, viewportHeight);
    if (!impl_->document)
        return 0;
    impl_->document->media_changed();
    impl_->document->render(std::max(1, viewportWidth));
    impl_->width = impl_->document->width();
    impl_->height = impl_->document->height();
    return impl_->height;
}

int HtmlPage::Width() const
{
    return impl_->width;
}

int HtmlPage::Height() const
{
    return impl_->height;
}

const std::string& HtmlPage::Title() const
{
    return impl_->painter.title;
}

void HtmlPage::Paint(uint32_t* pixels, int width, int height, int scrollX, int scrollY)
{
    if (!pixels || width <= 0 || height <= 0)
        return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels),
                                                                   CAIRO_FORMAT_RGB24, width, height, width * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    if (impl_->document) {
        const litehtml::position clip(scrollX, scrollY, width, height);
        cairo_translate(cr, -scrollX, -scrollY);
        impl_->document->draw(reinterpret_cast<litehtml::uint_ptr>(cr), 0, 0, &clip);
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

bool HtmlPage::MouseMove(int x, int y)
{
    if (!impl_->document)
        return false;
    litehtml::position::vector redraw;
    return impl_->document->on_mouse_over(x, y, x, y, redraw);
}

bool HtmlPage::MouseLeave()
{
    if (!impl_->document)
        return false;
    litehtml::position::vector redraw;
    impl_->painter.cursor.clear();
    return impl_->document->on_mouse_leave(redraw);
}

std::optional<std::string> HtmlPage::Click(int x, int y)
{
    if (!impl_->document)
        return std::nullopt;
    litehtml::position::vector redraw;
    impl_->painter.clickedLink.reset();
    impl_->document->on_lbutton_down(x, y, x, y, redraw);
    impl_->document->on_lbutton_up(x, y, x, y, redraw);
    return impl_->painter.clickedLink;
}

const std::string& HtmlPage::Cursor() const
{
    return impl_->painter.cursor;
}

std::optional<int> HtmlPage::AnchorTop(const std::string& name) const
{
    if (!impl_->document || name.empty())
        return std::nullopt;
    litehtml::element::ptr root = impl_->document->root();
    if (!root)
        return std::nullopt;
    // Names go into a selector only when they are plain, so a fragment can
    // never be read as some other selector.
    const bool plain = std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '-' || c == '_';
    });
    if (!plain)
        return std::nullopt;
    litehtml::element::ptr target = root->select_one("[id=" + name + "]");
    if (!target)
        target = root->select_one("[name=" + name + "]");
    if (!target)
        return std::nullopt;
    return target->get_placement().y;
}

}  // namespace tw::browser
