#include "pipeline/addchance.h"

#include "common/database.h"
#include "common/linekey.h"
#include "common/savefailure.h"
#include "platform/db/locale.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace pipeline {

namespace {

const char* const kNoProducts = "机会报价没选择产品，不能创建机会";
const char* const kAdded = "机会报价录入操作成功！";
const char* const kNotSaved = "机会报价未能保存：";

} // namespace

AddChance::AddChance() : ChanceWindow(QStringLiteral("AddChance"), false) {}

void AddChance::Form_Load()
{
    takeCustomerFromCard();
    fillLists();
    // Qt's month step keeps the day or takes the last day of a shorter month.
    setBoxText(QStringLiteral("salesdate"), db::locale::shortDate(db::locale::now().date().addMonths(1)));
}

void AddChance::command1_Click()
{
    if (!headerComplete(kNoProducts) || !customerExists() || !boxesFit(true)) return;

    std::unique_ptr<db::Connection> connection;
    try {
        connection = database::openMain();
        connection->beginTrans();
        const QString lineKey = linekey::newLineKey(*connection, QStringLiteral("chance"), QStringLiteral("chanceMX"));
        db::Recordset header;
        header.open(QStringLiteral("select * from chance"), *connection, db::CursorType::Static,
                    db::LockType::Optimistic);
        header.addNew();
        writeChance(header, true, lineKey);
        header.update();
        quotationlines::insert(*connection, QStringLiteral("chanceMX"), lines(), boxText(QStringLiteral("KH_ID")),
                               boxText(QStringLiteral("salesdate")), lineKey);
        connection->commitTrans();
    } catch (const db::Error& error) {
        if (connection) database::guarded([&] { connection->rollbackTrans(); });
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotSaved), error, savefailure::Reason::Shown));
        return;
    }
    ui::msgBox(QString::fromUtf8(kAdded));
    ui::Windows::unload(this);
}

} // namespace pipeline
