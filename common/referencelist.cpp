#include "common/referencelist.h"

#include "common/database.h"
#include "common/readfailure.h"
#include "platform/db/busywait.h"
#include "platform/ui/listentries.h"
#include "platform/ui/msgbox.h"

#include <memory>

namespace referencelist {

namespace {

// What one list has been through: whether any read gave its entries, whether
// it has said that it could not be read.
struct ListReads {
    bool filled = false;
    bool toldUnread = false;
    int reads = 0;
};

} // namespace

void offer(ui::ComboBox* list, const QString& sql, const QString& column)
{
    auto reads = std::make_shared<ListReads>();
    ui::offerEntries(list, [sql, column, reads] {
        // The window's own fill waits as its other reads do; a list being
        // used does not wait for the file at every focus.
        const bool beingUsed = reads->reads++ > 0;
        std::optional<db::busywait::Limit> noWait;
        if (beingUsed) noWait.emplace(0);
        QStringList texts;
        std::optional<db::Error> failure;
        if (database::guarded([&] {
                auto rows = database::query(sql);
                for (; !rows->eof(); rows->moveNext()) texts << rows->field(column).toText();
            }, failure)) {
            reads->filled = true;
        } else if (beingUsed && !reads->filled && !reads->toldUnread) {
            reads->toldUnread = true;
            ui::msgBox(QStringLiteral("选择列表没有内容可选：") + readfailure::text(*failure));
        }
        return texts;
    });
}

} // namespace referencelist
