// The tooltip control: tools (window rectangles or whole windows) whose text
// pops up in a topmost window after the mouse rests on them. Delays run on
// the process clock through window timers; the tip never takes activation.
#pragma once

#include <string>
#include <vector>

#include "platform/comctl/commctrl.h"

namespace tw::comctl {

class ToolTip {
public:
    explicit ToolTip(HWND hwnd);
    ~ToolTip();

    static ToolTip* From(HWND hwnd);
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // What a subclassed tool window sends on: its mouse messages.
    void Relay(const MSG& msg);

private:
    struct Tool {
        UINT flags = 0;
        HWND hwnd = nullptr;
        UINT_PTR id = 0;
        RECT rect{};
        HINSTANCE hinst = nullptr;
        bool callback = false;
        std::string text;
        LPARAM lParam = 0;
    };

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnToolMessage(UINT message, WPARAM wParam, TOOLINFO* info);

    int FindTool(HWND hwnd, UINT_PTR id) const;
    int ToolAt(HWND hwnd, POINT clientPoint) const;
    static HWND ToolWindow(const Tool& tool);
    static void StoreTool(Tool& tool, const TOOLINFO& info);
    static void FillInfo(const Tool& tool, TOOLINFO& info);
    static bool InfoSizeOk(const TOOLINFO* info);

    std::string TextOf(Tool& tool);
    void Show(bool tracking);
    void Pop();
    void StartTimer(UINT_PTR id, UINT delay);
    void Paint();
    SIZE Measure(const std::string& text);
    UINT TextFormat() const;
    bool OwnerActive(const Tool& tool) const;
    void Subclass(const Tool& tool);
    void Unsubclass(const Tool& tool);
    LRESULT Notify(const Tool& tool, UINT code, NMHDR* header);

    HWND hwnd_;
    std::vector<Tool> tools_;
    bool active_ = true;
    int current_ = -1;      // the tool under the mouse
    bool shown_ = false;
    bool clicked_ = false;  // a button went down on the current tool: no tip until it is left
    bool tracking_ = false;
    POINT trackPoint_{};
    std::string shownText_;
    int maxWidth_ = -1;
    UINT initialDelay_;
    UINT autopopDelay_;
    UINT reshowDelay_;
    COLORREF background_;
    COLORREF textColor_;
    RECT margin_{};
    HFONT font_ = nullptr;
};

}  // namespace tw::comctl
