// The main window's delete: asks, tests the delete right of the list, deletes
// the current row's record with its dependent rows and shows the list again.
#include "mainwin/deletecascade.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/ordershare.h"
#include "common/rowmessages.h"
#include "common/sqltext.h"
#include "mainwin/frmmain.h"
#include "platform/ui/msgbox.h"

namespace mainwin {
namespace {

struct DeleteRule {
    const char* right;     // the delete right of the list
    const char* refusal;   // shown without it
    const char* table;     // the table of the list's records
    const char* lines;     // the line table tied by indexflag; empty when none
};

DeleteRule ruleOf(View view)
{
    switch (view) {
    case View::Customers: return {"d_cust=1;", "您无权删除客户资料", "company", ""};
    case View::Contacts: return {"d_conn=1;", "您无权删除联系人资料", "KH_LXR", ""};
    case View::Activities: return {"d_acti=1;", "您无权删除活动资料", "KH_ACT", ""};
    case View::Opportunities: return {"d_chan=1;", "您无权删除报价资料", "chance", "ChanceMX"};
    case View::SalesOrders: return {"d_sals=1;", "您无权删除订购资料", "Sales", "SalesMX"};
    case View::ServiceRecords: return {"d_serv=1;", "您无权删除服务资料", "Service", ""};
    }
    return {};
}

// Why an order whose share would take its customer's balances beyond the
// currency range is not deleted.
const char* const kBalanceOutOfRangeText = "客户的余额将超出金额的范围";

// The tables whose rows belong to a customer by companyid, in the order they go.
constexpr const char* kCustomerTables[] = {"KH_LXR", "KH_ACT", "chance", "chanceMX", "Sales", "SalesMX", "Service"};

// The record key as SQL: a whole number, or nothing for an empty or non-numeric cell.
std::optional<QString> keyText(const db::Variant& id)
{
    if (!db::isNumeric(id)) return std::nullopt;
    const double value = id.toDouble();
    if (value != static_cast<double>(static_cast<qint64>(value))) return std::nullopt;
    return QString::number(static_cast<qint64>(value));
}

void deleteDependents(db::Connection& connection, View view, const DeleteRule& rule, const QString& key,
                      const QString& lineKey)
{
    if (view == View::Customers) {
        for (const char* table : kCustomerTables)
            connection.execute(QStringLiteral("delete from ") + QString::fromLatin1(table)
                               + QStringLiteral(" where companyid=") + key);
    }
    // A header without a line key has no lines of its own: an empty key would
    // match the lines of every other header without one.
    if (*rule.lines && !lineKey.trimmed().isEmpty())
        connection.execute(QStringLiteral("delete from ") + QString::fromLatin1(rule.lines)
                           + QStringLiteral(" where indexflag=") + sqltext::quoted(lineKey));
}

} // namespace

DeleteOutcome deleteWithCascade(View view, const db::Variant& id, std::optional<db::Error>& failure)
{
    const std::optional<QString> key = keyText(id);
    if (!key) return DeleteOutcome::Missing;
    const DeleteRule rule = ruleOf(view);
    std::unique_ptr<db::Connection> connection;
    try {
        connection = database::openMain();
        connection->beginTrans();
    } catch (const db::Error& error) {
        failure = error;
        return DeleteOutcome::Failed;
    }
    try {
        db::Recordset record;
        record.open(QStringLiteral("select * from ") + QString::fromLatin1(rule.table)
                        + QStringLiteral(" where id=") + *key,
                    *connection, db::CursorType::Static, db::LockType::Optimistic);
        if (record.eof()) {
            connection->rollbackTrans();
            return DeleteOutcome::Missing;
        }
        const QString lineKey = *rule.lines ? record.field(QStringLiteral("indexflag")).toText() : QString();
        // An order takes its share of its customer's balances with it.
        std::optional<std::pair<qint64, ordershare::Share>> share;
        if (view == View::SalesOrders && !record.field(QStringLiteral("companyid")).isNullOrEmpty())
            share.emplace(record.field(QStringLiteral("companyid")).toLong(), ordershare::ofStored(*connection, record));
        record.deleteRow();
        record.close();
        deleteDependents(*connection, view, rule, *key, lineKey);
        if (share) ordershare::takeBack(*connection, share->first, share->second);
        connection->commitTrans();
        return DeleteOutcome::Deleted;
    } catch (const db::Error& error) {
        failure = error;
    } catch (const ordershare::OutOfRange&) {
        failure = db::Error(QString::fromUtf8(kBalanceOutOfRangeText));
    }
    database::guarded([&connection] { connection->rollbackTrans(); });
    return DeleteOutcome::Failed;
}

// The rows the grid holds decide what is deleted: a window's refresh after a
// save may have put another view's rows into the grid than the view key names,
// and the current row's id belongs to those rows.
void FrmMain::cmDelete_Click()
{
    if (!rowmessages::confirmDelete()) return;
    const std::optional<View> keyView = currentView();
    if (!keyView) return;
    const View view = gridView_.value_or(*keyView);
    const DeleteRule rule = ruleOf(view);
    if (!Mymode::hasRight(QString::fromLatin1(rule.right))) {
        ui::msgBox(QString::fromUtf8(rule.refusal), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("删除资料"));
        return;
    }
    const db::Variant id = gridView_ ? DataGrid1->currentKey() : db::Variant();
    std::optional<db::Error> failure;
    switch (deleteWithCascade(view, id, failure)) {
    case DeleteOutcome::Missing:
        ui::msgBox(QStringLiteral("记录不存在,可能已经被删除"));
        return;
    case DeleteOutcome::Failed:
        rowmessages::showDeleteFailed(QStringLiteral("删除失败,记录和相关资料都没有删除"), failure,
                                     QStringLiteral("删除资料"));
        return;
    case DeleteOutcome::Deleted:
        // The whole list of the view again; the view key and CustListSql stay.
        bindList(view, listQuery(view));
        return;
    }
}

} // namespace mainwin
