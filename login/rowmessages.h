#pragma once
// The boxes the administration windows share around writing and deleting a row.
#include <QString>

namespace login {

// "真要删除当前记录吗？" (Yes/No); true only when the operator answers Yes.
bool confirmDelete();
// The row to delete is gone (or no row is selected).
void showRecordMissing();
// A write or delete the database refused: nothing was stored, the window keeps its contents.
void showWriteFailed(const QString& text, const QString& title);

} // namespace login
