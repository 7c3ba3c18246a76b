#include "login/importrecords.h"

#include "common/columnrules.h"
#include "common/mymode.h"

#include <algorithm>

namespace login {
namespace {

// The own-format customer columns copied from the source field of the same name.
const QStringList& ownFormatColumns()
{
    static const QStringList columns{
        QStringLiteral("company_client_type"), QStringLiteral("company_postcode"), QStringLiteral("company_mail"),
        QStringLiteral("company_http"),        QStringLiteral("company_area"),     QStringLiteral("company_ZJH"),
        QStringLiteral("company_zje"),         QStringLiteral("company_YJ"),       QStringLiteral("company_QK"),
        QStringLiteral("company_Zsl"),         QStringLiteral("company_dute")};
    return columns;
}

const QStringList& productColumns()
{
    static const QStringList columns{QStringLiteral("Product_no"), QStringLiteral("product"),
                                     QStringLiteral("dw"),         QStringLiteral("price"),
                                     QStringLiteral("InPrice"),    QStringLiteral("description"),
                                     QStringLiteral("KCL")};
    return columns;
}

const QString kNotPublic = QStringLiteral("0");
const QString kCustomers = QStringLiteral("客户");
const QString kProducts = QStringLiteral("产品");
const QString kGroups = QStringLiteral("客户分组");
// The closing message lists this many values left out; a box shows no more.
constexpr int kLeftOutListed = 10;

bool isOwnFormat(const mdb::TableRows& rows)
{
    return std::any_of(rows.columns.begin(), rows.columns.end(),
                       [](const mdb::Column& column) { return column.name == QLatin1String("company_client_type"); });
}

db::Variant toDatabase(const QVariant& value, mdb::ValueKind kind)
{
    if (!value.isValid()) return db::Variant::null();
    switch (kind) {
    case mdb::ValueKind::Text: return value.toString();
    case mdb::ValueKind::Integer: return static_cast<std::int64_t>(value.toLongLong());
    case mdb::ValueKind::Number: return value.toDouble();
    case mdb::ValueKind::Money: return db::Currency::fromDouble(value.toDouble());
    case mdb::ValueKind::Date: return value.toDateTime();
    case mdb::ValueKind::Boolean: return value.toBool();
    case mdb::ValueKind::Binary: break;
    }
    return db::Variant::null();
}

// Copies the source field `field` of `row` into `column`; a field the source
// lacks changes nothing, a value the column cannot take is left out and
// listed in `leftOut` under `caption`.
// Where a copied value comes from, for the list of values left out.
struct SourceRow {
    const QString& kind;
    int record;
};

void copyField(db::Recordset& target, const QString& column, const mdb::TableRows& rows, const QVariantList& row,
               const QString& field, const QString& caption, const SourceRow& from, std::vector<LeftOut>& leftOut)
{
    const int index = rows.columnIndex(field);
    if (index < 0 || index >= row.size()) return;
    const db::Variant value = toDatabase(row.at(index), rows.columns[index].kind);
    try {
        if (const auto refused = target.refusal(column, value)) {
            leftOut.push_back({from.kind, from.record, columnrules::text(caption, *refused)});
            return;
        }
        target.setField(column, value);
    } catch (const db::Error& error) {
        leftOut.push_back({from.kind, from.record, caption + QStringLiteral("：") + error.message()});
    }
}

// The refusal of the first mapping box whose field the table lacks; empty
// when every box names one of its fields.
QString mappingRefusal(const mdb::TableRows& rows, const QString& table, const std::vector<FieldMapping>& mapping)
{
    for (const FieldMapping& box : mapping)
        if (rows.columnIndex(box.field) < 0)
            return QStringLiteral("“%1”框中的“%2”不是数据表 %3 的字段，数据没有导入，请改正后再导入")
                .arg(box.caption, box.field, table);
    return QString();
}

// Saves the row being added; a refused row is dropped and counted. A busy
// file refuses every row alike: it ends the import.
bool save(db::Recordset& target, WriteCount& count)
{
    try {
        target.update();
        ++count.written;
        return true;
    } catch (const db::Error& error) {
        target.cancelUpdate();
        if (error.kind() == db::Error::Kind::Busy) throw;
        ++count.failed;
        return false;
    }
}

// The operator at work owns the row; it is not public. A row that cannot
// take them is dropped and counted.
bool setOwner(db::Recordset& target, const QString& ownerColumn, const QString& publicColumn, WriteCount& count)
{
    try {
        target.setField(ownerColumn, Mymode::OperatorName);
        target.setField(publicColumn, kNotPublic);
        return true;
    } catch (const db::Error&) {
        target.cancelUpdate();
        ++count.failed;
        return false;
    }
}

bool addCustomer(db::Recordset& customers, const mdb::TableRows& rows, int record,
                 const std::vector<FieldMapping>& mapping, ImportOutcome& outcome)
{
    const QVariantList& row = rows.rows[record - 1];
    const SourceRow from{kCustomers, record};
    customers.addNew();
    std::vector<LeftOut> leftOut;
    for (const FieldMapping& box : mapping)
        copyField(customers, box.column, rows, row, box.field, box.caption, from, leftOut);
    if (outcome.ownFormat)
        for (const QString& column : ownFormatColumns()) copyField(customers, column, rows, row, column, column, from, leftOut);
    if (!setOwner(customers, QStringLiteral("KH_CZZ"), QStringLiteral("KH_GK"), outcome.customers)) return false;
    if (!save(customers, outcome.customers)) return false;
    // Only a customer that was stored misses its values.
    outcome.leftOut.insert(outcome.leftOut.end(), leftOut.begin(), leftOut.end());
    return true;
}

// The contact of the customer just saved, on which `customers` stands.
void addContact(db::Recordset& contacts, const db::Recordset& customers, WriteCount& count)
{
    const struct {
        const char* contact;
        const char* customer;
    } copied[] = {{"Connect_name", "company_connect"}, {"tel", "company_tel"},         {"fax", "company_fax"},
                  {"mobil", "company_mobil"},          {"address", "company_address"}};
    contacts.addNew();
    try {
        contacts.setField(QStringLiteral("companyid"), customers.field(QStringLiteral("id")));
        for (const auto& pair : copied)
            contacts.setField(QLatin1String(pair.contact), customers.field(QLatin1String(pair.customer)));
    } catch (const db::Error&) {
        contacts.cancelUpdate();
        ++count.failed;
        return;
    }
    if (setOwner(contacts, QStringLiteral("LXR_CZZ"), QStringLiteral("LXR_GK"), count)) save(contacts, count);
}

// Adds every row of the source table `table` to the main table of the same
// name, copying `columns` by name; `kind` names its records.
void copyTable(const mdb::Source& source, const QString& table, const QString& kind, const QStringList& columns,
               db::Connection& main, WriteCount& count, ImportOutcome& outcome)
{
    QStringList& unreadTables = outcome.unreadTables;
    mdb::TableRows rows;
    try {
        rows = source.rows(table);
    } catch (const mdb::Error&) {
        unreadTables << table;
        return;
    }
    db::Recordset target;
    try {
        target.open(QStringLiteral("select * from ") + table, main, db::CursorType::Keyset, db::LockType::Optimistic);
    } catch (const db::Error&) {
        count.failed += static_cast<int>(rows.rows.size());
        return;
    }
    for (int record = 1; record <= static_cast<int>(rows.rows.size()); ++record) {
        target.addNew();
        std::vector<LeftOut> leftOut;
        for (const QString& column : columns)
            copyField(target, column, rows, rows.rows[record - 1], column, column, {kind, record}, leftOut);
        if (save(target, count)) outcome.leftOut.insert(outcome.leftOut.end(), leftOut.begin(), leftOut.end());
    }
}

} // namespace

ImportOutcome importRecords(const mdb::Source& source, const QString& table,
                            const std::vector<FieldMapping>& mapping, db::Connection& main)
{
    const mdb::TableRows rows = source.rows(table);
    ImportOutcome outcome;
    outcome.refusal = mappingRefusal(rows, table, mapping);
    if (!outcome.refusal.isEmpty()) return outcome;

    main.beginTrans();
    try {
        db::Recordset customers;
        customers.open(QStringLiteral("select * from company"), main, db::CursorType::Keyset, db::LockType::Optimistic);
        db::Recordset contacts;
        contacts.open(QStringLiteral("select * from KH_LXR"), main, db::CursorType::Keyset, db::LockType::Optimistic);

        outcome.ownFormat = isOwnFormat(rows);
        for (int record = 1; record <= static_cast<int>(rows.rows.size()); ++record)
            if (addCustomer(customers, rows, record, mapping, outcome)) addContact(contacts, customers, outcome.contacts);

        if (outcome.ownFormat) {
            copyTable(source, QStringLiteral("product"), kProducts, productColumns(), main, outcome.products, outcome);
            copyTable(source, QStringLiteral("client_type"), kGroups, {QStringLiteral("client_type")}, main,
                      outcome.groups, outcome);
        }
        main.commitTrans();
    } catch (...) {
        // SQLite may have ended the transaction itself (a full disk): then
        // there is nothing to roll back, and the failure that ended the
        // import is what the caller reports.
        try {
            main.rollbackTrans();
        } catch (const db::Error&) {
        }
        throw;
    }
    return outcome;
}

QString outcomeMessage(const ImportOutcome& outcome)
{
    std::vector<std::pair<QString, WriteCount>> counts{{kCustomers, outcome.customers},
                                                       {QStringLiteral("联系人"), outcome.contacts}};
    if (outcome.ownFormat) {
        counts.emplace_back(kProducts, outcome.products);
        counts.emplace_back(kGroups, outcome.groups);
    }
    int written = 0;
    int failed = static_cast<int>(outcome.unreadTables.size());
    QStringList lines;
    for (const auto& [kind, count] : counts) {
        written += count.written;
        failed += count.failed;
        lines << QStringLiteral("%1：导入 %2 个，失败 %3 个").arg(kind).arg(count.written).arg(count.failed);
    }
    for (const QString& table : outcome.unreadTables) lines << QStringLiteral("源文件中的数据表 %1 无法读取").arg(table);
    const int leftOut = static_cast<int>(outcome.leftOut.size());
    if (leftOut > 0) lines << QStringLiteral("没有导入的值 %1 个：").arg(leftOut);
    for (int i = 0; i < std::min(leftOut, kLeftOutListed); ++i) {
        const LeftOut& value = outcome.leftOut[static_cast<std::size_t>(i)];
        lines << QStringLiteral("%1第 %2 行：%3").arg(value.kind).arg(value.record).arg(value.reason);
    }
    if (leftOut > kLeftOutListed) lines << QStringLiteral("……另有 %1 个没有列出").arg(leftOut - kLeftOutListed);

    QString headline = QStringLiteral("数据已成功导入，请重新启动程序");
    if (failed > 0 || leftOut > 0)
        headline = written > 0 ? QStringLiteral("数据已部分导入，请重新启动程序") : QStringLiteral("数据没有导入");
    return headline + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

} // namespace login
