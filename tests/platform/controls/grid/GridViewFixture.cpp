#include "tests/platform/controls/grid/GridViewFixture.h"

#include <string>
#include <vector>

#include "platform/win32/kernel/ProcessClock.h"

namespace tw::grid::test {

void GridViewFixture::SetUp()
{
    GridView::RegisterWindowClass();
    HeadlessWindowTest::SetUp();
    hwnd = CreateWindowEx(0, GridView::kClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 10, 260,
                          200, parent, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    grid = GridView::FromHandle(hwnd);
    ASSERT_NE(grid, nullptr);
    for (int f = 0; f < kColumns; ++f) {
        const std::string name = "F" + std::to_string(f);
        ASSERT_TRUE(grid->Dataset().AddField({name, FieldType::String, 20}));
        GridColumn* column = grid->Columns().Item(grid->Columns().Add());
        column->fieldName = name;
        column->caption = "Caption " + std::to_string(f);
        column->width = kColumnWidth;
    }
    SetFocus(hwnd);
    Pump();
}

void GridViewFixture::Fill(int rows)
{
    grid->DisableControls();
    for (int r = 0; r < rows; ++r) {
        std::vector<std::string> texts;
        for (int f = 0; f < kColumns; ++f)
            texts.push_back("r" + std::to_string(r) + "c" + std::to_string(f));
        grid->Dataset().Append({texts[0], texts[1], texts[2], texts[3], texts[4]});
    }
    grid->EnableControls();
    Pump();
}

void GridViewFixture::KeyWith(UINT vk, bool shift, bool ctrl)
{
    if (shift)
        input.KeyDown(VK_SHIFT);
    if (ctrl)
        input.KeyDown(VK_CONTROL);
    input.KeyStroke(vk);
    if (ctrl)
        input.KeyUp(VK_CONTROL);
    if (shift)
        input.KeyUp(VK_SHIFT);
    Pump();
}

POINT GridViewFixture::ScreenPointOf(int clientX, int clientY)
{
    return HeadlessWindowTest::ScreenPointOf(hwnd, clientX, clientY);
}

void GridViewFixture::Click(int clientX, int clientY, UINT modifierVk)
{
    tw::ProcessClock::Advance(GetDoubleClickTime() + 1);
    if (modifierVk)
        input.KeyDown(modifierVk);
    const POINT pt = ScreenPointOf(clientX, clientY);
    input.Click(tw::display::MouseButton::Left, pt.x, pt.y);
    if (modifierVk)
        input.KeyUp(modifierVk);
    Pump();
}

COLORREF GridViewFixture::Pixel(int clientX, int clientY)
{
    Pump();
    return ScreenPixel(hwnd, clientX, clientY);
}

POINT GridViewFixture::RowPoint(int row)
{
    return POINT{kColumnWidth / 2, grid->HeaderHeight() + (row - grid->TopRow()) * grid->RowHeight() +
                                       grid->RowHeight() / 2};
}

}  // namespace tw::grid::test
