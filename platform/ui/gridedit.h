#pragma once
// In-place editing of a grid whose double-click means something else: an
// edit starts by a click on the current cell, by F2 or by typing.
namespace ui {
class DataGrid;
void editOnClickOrTyping(DataGrid* grid);
}
