// A grid's stored layout: the state a form template keeps for its grid (the
// dataset's fields, the columns, the key field), as text of our own, one
// statement a line ('#' starts a comment):
//
//     dataset 1
//     key "Name"
//     band 250
//     field "Name" string 776              types: text, string, boolean, flag
//     column "Name" caption="Name" field="Name" editor=picklist width=160 rows=7
//     column "Spin" editor=spin hidden
//
// Column options: caption (the name by default), field, editor (text, mask,
// button, date, check, spin, picklist, image, memo, time, lookup, currency,
// hyperlink), width, hidden, readonly, mask, checked, unchecked, increment,
// rows (of a drop-down list).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/grid/GridModel.h"

namespace tw::grid {

struct GridLayout {
    int datasetType = 0;
    std::string keyField;
    std::vector<int> bandWidths;
    std::vector<FieldDef> fields;
    std::vector<GridColumn> columns;

    // nullopt with error as "line N: ..." when the text is not a layout.
    static std::optional<GridLayout> Parse(std::string_view text, std::string& error);
    // Empties the grid and gives it the layout's fields and columns; the
    // dataset is left closed, as the program opens it.
    void ApplyTo(GridModel& model) const;
};

}  // namespace tw::grid
