// The in-place editors of grid cells, one per editor kind, built from the
// standard controls: an edit (text, mask, date, time, currency, hyperlink,
// image, memo), an edit with a button (button) or an up-down (spin), a combo
// box (pick list, lookup) and a drawn check box (check). The grid opens one
// over the cell, and the editor reports Enter, Esc and its button back to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/controls/grid/GridColumns.h"
#include "platform/win32/user/winuser.h"

namespace tw::grid {

// The grid's side of an open editor.
class GridEditorHost {
public:
    virtual ~GridEditorHost() = default;
    virtual void EditorCommit() = 0;
    virtual void EditorCancel() = 0;
    virtual void EditorButton() = 0;
};

struct GridEditorSetup {
    HWND parent = nullptr;
    RECT rect{};
    HFONT font = nullptr;
    std::string text;
    // The column lending its editor (kind, pick list, mask, check texts).
    GridColumn column;
    // What a lookup offers when its column has no pick list: the column's values.
    std::vector<std::string> lookupValues;
};

class GridEditor {
public:
    // Null when the editor's windows cannot be made.
    static std::unique_ptr<GridEditor> Create(GridEditorHost& host, const GridEditorSetup& setup);
    // Whether text is a value an editor of this kind may store.
    static bool ValueFits(const GridColumn& column, const std::string& text);

    virtual ~GridEditor() = default;
    GridEditor(const GridEditor&) = delete;
    GridEditor& operator=(const GridEditor&) = delete;

    EditorKind Kind() const { return column_.editor; }
    virtual std::string Text() const = 0;
    // The text the cell held is always taken back unchanged.
    bool Accepts(const std::string& text) const { return text == original_ || ValueFits(column_, text); }
    // The window holding the keyboard focus while editing; null for a drawn editor.
    virtual HWND FocusWindow() const { return nullptr; }
    // Keys reaching the grid for an editor without a window; true when used.
    virtual bool OnKey(UINT /*vk*/) { return false; }
    // A click on the edited cell.
    virtual void OnClick() {}
    // Notifications from the editor's controls (they are the grid's children).
    virtual void OnCommand(WORD /*code*/, HWND /*control*/) {}

protected:
    GridEditor(GridEditorHost& host, const GridEditorSetup& setup)
        : host_(host), column_(setup.column), original_(setup.text)
    {
    }
    const std::string& Original() const { return original_; }

    GridEditorHost& host_;
    GridColumn column_;

private:
    std::string original_;
};

}  // namespace tw::grid
