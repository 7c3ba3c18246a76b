#include "common/rowmessages.h"

#include "common/database.h"
#include "common/savefailure.h"
#include "platform/ui/msgbox.h"

namespace rowmessages {

namespace {

const char* const kNotDeletedText = "记录删除失败，数据未改变";

} // namespace

bool confirmDelete()
{
    return ui::msgBox(QStringLiteral("真要删除当前记录吗？"), ui::Buttons::YesNo) == ui::Answer::Yes;
}

std::shared_ptr<db::Recordset> rowToDelete(const QString& selectById, const db::Variant& key, const QString& title)
{
    std::shared_ptr<db::Recordset> row;
    bool found = false;
    std::optional<db::Error> failure;
    if (db::isNumeric(key) && !database::guarded([&] {
            row = database::query(selectById + QString::number(key.toLong()), db::LockType::Optimistic,
                                  db::CursorType::Static);
            found = !row->eof();
        }, failure)) {
        showDeleteFailed(QString::fromUtf8(kNotDeletedText), failure, title);
        return nullptr;
    }
    if (found) return row;
    ui::msgBox(QStringLiteral("记录不存在，可能已经被删除"));
    return nullptr;
}

bool deleteRow(db::Recordset& row, const QString& title)
{
    std::optional<db::Error> failure;
    const bool deleted = database::guarded([&] { row.deleteRow(); }, failure);
    if (!deleted) showDeleteFailed(QString::fromUtf8(kNotDeletedText), failure, title);
    row.close();
    return deleted;
}

void showWriteFailed(const QString& text, const std::optional<db::Error>& failure, const QString& title)
{
    ui::msgBox(failure ? savefailure::text(text, *failure) : text, ui::Buttons::Ok, ui::Icon::Error, title);
}

void showDeleteFailed(const QString& text, const std::optional<db::Error>& failure, const QString& title)
{
    ui::msgBox(failure ? savefailure::deleteText(text, *failure) : text, ui::Buttons::Ok, ui::Icon::Error, title);
}

} // namespace rowmessages
