// One HTML page laid out for a width and drawn into 32-bit pixels: the
// browser window's model. Relative references (images, style sheets) are
// read from the folder of the page's own path.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tw::browser {

class HtmlPage {
public:
    HtmlPage();
    ~HtmlPage();
    HtmlPage(const HtmlPage&) = delete;
    HtmlPage& operator=(const HtmlPage&) = delete;

    // Parses the text; basePath is the page's own file path (or empty).
    void Load(const std::string& html, const std::string& basePath);
    bool Loaded() const;
    // Lays the page out for a viewport; answers the page's height.
    int Layout(int viewportWidth, int viewportHeight);
    int Width() const;
    int Height() const;
    const std::string& Title() const;

    // Draws the part of the page at (scrollX, scrollY) into top-down BGRA
    // pixels of width x height over a white ground.
    void Paint(uint32_t* pixels, int width, int height, int scrollX, int scrollY);

    // Mouse in page coordinates. Move answers whether anything hovered
    // changed its look; Click answers the address of a link clicked, if any.
    bool MouseMove(int x, int y);
    bool MouseLeave();
    std::optional<std::string> Click(int x, int y);
    // The cursor the element under the mouse asks for ("pointer" on links).
    const std::string& Cursor() const;
    // The top of the element with this id or name, for "#fragment" links.
    std::optional<int> AnchorTop(const std::string& name) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tw::browser
