#include "common/referencelist.h"

#include "common/database.h"
#include "platform/ui/listentries.h"

namespace referencelist {

void offer(ui::ComboBox* list, const QString& sql, const QString& column)
{
    ui::offerEntries(list, [sql, column] {
        QStringList texts;
        database::guarded([&] {
            auto rows = database::query(sql);
            for (; !rows->eof(); rows->moveNext()) texts << rows->field(column).toText();
        });
        return texts;
    });
}

} // namespace referencelist
