// The automation objects a grid hands out for one row or one column, made
// where the grid's events need them as arguments.
#pragma once

#include <memory>

#include "platform/com/ComSupport.h"
#include "platform/controls/grid/GridModel.h"

namespace tw::grid {

// A row node; row must exist.
IDispatchPtr NewNodeObject(const std::shared_ptr<GridModel>& model, int row);
// A column object; column must exist.
IDispatchPtr NewColumnObject(const std::shared_ptr<GridModel>& model, int column);

}  // namespace tw::grid
