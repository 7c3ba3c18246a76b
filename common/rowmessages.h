#pragma once
// The boxes the list windows share around writing and deleting a
// row, and the deleting of a grid's current row itself.
#include "platform/db/connection.h"

#include <QString>
#include <memory>
#include <optional>

namespace rowmessages {

// "真要删除当前记录吗？" (Yes/No); true only when the operator answers Yes.
bool confirmDelete();
// The row "<selectById><key>" opened on the main database to be deleted. When
// the key is no number or the row is gone, it shows "记录不存在，可能已经被删除"
// and gives none; when the database cannot be read, the delete's refusal
// under `title` (as deleteRow's), so a busy file never reads as a missing row.
std::shared_ptr<db::Recordset> rowToDelete(const QString& selectById, const db::Variant& key, const QString& title);
// Deletes the row (a refusal shows "记录删除失败，数据未改变" under `title`) and
// closes it; whether the row was deleted.
bool deleteRow(db::Recordset& row, const QString& title);
// A write or delete that did not happen: nothing was stored, the window keeps
// its contents. `text` says so; when the database refused it (`failure`), a
// busy file adds why (savefailure).
void showWriteFailed(const QString& text, const std::optional<db::Error>& failure, const QString& title);
// The same for a delete, which keeps no input (savefailure::deleteText).
void showDeleteFailed(const QString& text, const std::optional<db::Error>& failure, const QString& title);

} // namespace rowmessages
