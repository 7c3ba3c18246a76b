#include "common/schema.h"

#include "common/sqltext.h"

#include <QPair>
#include <QString>

namespace schema {
namespace {

// Column definitions in the declared-type vocabulary of the database layer.
QString key(const QString& name) { return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT"); }
QString text(const QString& name, int width = 50)
{
    return name + QStringLiteral(" TEXT(%1) COLLATE NOCASE").arg(width);
}
QString memo(const QString& name) { return name + QStringLiteral(" LONGTEXT COLLATE NOCASE"); }
QString whole(const QString& name) { return name + QStringLiteral(" LONG"); }
QString number(const QString& name) { return name + QStringLiteral(" DOUBLE"); }
QString money(const QString& name) { return name + QStringLiteral(" CURRENCY"); }
QString when(const QString& name) { return name + QStringLiteral(" DATETIME"); }
// A yes/no value stored as the text "1" or "0".
QString flag(const QString& name) { return text(name, 1); }

QString createTable(const QString& table, const QStringList& columns)
{
    return QStringLiteral("CREATE TABLE ") + table + QStringLiteral(" (\n  ")
        + columns.join(QStringLiteral(",\n  ")) + QStringLiteral("\n)");
}

using Values = QList<QPair<QString, QString>>;   // column, SQL literal

QString insertRow(const QString& table, const Values& values)
{
    QStringList columns, literals;
    for (const auto& [column, literal] : values) {
        columns << column;
        literals << literal;
    }
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(QStringLiteral(", "))
        + QStringLiteral(") VALUES (") + literals.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString quoted(const char* utf8) { return sqltext::quoted(QString::fromUtf8(utf8)); }

// The fourteen right flags of an operator, in the order of the rights string.
const QStringList& rightColumns()
{
    static const QStringList columns{
        QStringLiteral("e_cust"), QStringLiteral("e_conn"), QStringLiteral("e_acti"), QStringLiteral("e_chan"),
        QStringLiteral("e_sals"), QStringLiteral("e_serv"), QStringLiteral("d_cust"), QStringLiteral("d_conn"),
        QStringLiteral("d_acti"), QStringLiteral("d_chan"), QStringLiteral("d_sals"), QStringLiteral("d_serv"),
        QStringLiteral("b_rept"), QStringLiteral("b_work")};
    return columns;
}

// The four custom text fields that most record tables carry.
QStringList customFields(const QString& prefix = QString())
{
    QStringList columns;
    for (int i = 1; i <= 4; ++i)
        columns << text(prefix + QStringLiteral("field%1").arg(i), 100);
    return columns;
}

// ---- customers and contacts ----

QString company()
{
    return createTable(QStringLiteral("company"),
        QStringList{key(QStringLiteral("id")),
                    text(QStringLiteral("company_name"), 100),
                    text(QStringLiteral("company_address"), 200),
                    text(QStringLiteral("company_connect")),
                    text(QStringLiteral("company_dute")),
                    text(QStringLiteral("company_tel")),
                    text(QStringLiteral("company_fax")),
                    text(QStringLiteral("company_mobil")),
                    text(QStringLiteral("company_mail"), 100),
                    text(QStringLiteral("company_http"), 100),
                    text(QStringLiteral("company_postcode")),
                    when(QStringLiteral("company_createtime")),
                    text(QStringLiteral("company_area")),
                    text(QStringLiteral("company_client_type")),
                    text(QStringLiteral("company_clientsource")),
                    text(QStringLiteral("company_industry")),
                    text(QStringLiteral("company_client_status")),
                    memo(QStringLiteral("company_description")),
                    text(QStringLiteral("company_khyh"), 100),
                    text(QStringLiteral("company_yhzh")),
                    text(QStringLiteral("company_ZJH")),
                    money(QStringLiteral("company_YJ")),
                    money(QStringLiteral("company_QK")),
                    money(QStringLiteral("company_zje")),
                    number(QStringLiteral("company_Zsl"))}
            + customFields(QStringLiteral("company_"))
            + QStringList{text(QStringLiteral("KH_CZZ")), flag(QStringLiteral("KH_GK"))});
}

QString contacts()
{
    return createTable(QStringLiteral("KH_LXR"),
        QStringList{key(QStringLiteral("id")),
                    whole(QStringLiteral("companyid")),
                    text(QStringLiteral("Connect_name")),
                    text(QStringLiteral("Connect_dute")),
                    text(QStringLiteral("tel")),
                    text(QStringLiteral("fax")),
                    text(QStringLiteral("mobil")),
                    text(QStringLiteral("hometel")),
                    text(QStringLiteral("email"), 100),
                    text(QStringLiteral("postcode")),
                    text(QStringLiteral("address"), 200),
                    text(QStringLiteral("department")),
                    text(QStringLiteral("ah"), 100),
                    when(QStringLiteral("birthday")),
                    flag(QStringLiteral("alert"))}
            + customFields()
            + QStringList{memo(QStringLiteral("description")),
                          flag(QStringLiteral("LXR_GK")),
                          text(QStringLiteral("LXR_CZZ"))});
}

// ---- activities, opportunities, service ----

QString activities()
{
    return createTable(QStringLiteral("KH_ACT"),
        QStringList{key(QStringLiteral("id")),
                    whole(QStringLiteral("companyid")),
                    text(QStringLiteral("ActionTitle"), 255),
                    text(QStringLiteral("Action_Connect")),
                    text(QStringLiteral("ActionType")),
                    when(QStringLiteral("BeginTime")),
                    when(QStringLiteral("endtime")),
                    text(QStringLiteral("action_Class")),
                    flag(QStringLiteral("alert")),
                    when(QStringLiteral("alerttime"))}
            + customFields()
            + QStringList{memo(QStringLiteral("Action_Discription")),
                          flag(QStringLiteral("public")),
                          text(QStringLiteral("Action_CZZ"))});
}

QString opportunities()
{
    return createTable(QStringLiteral("chance"),
        QStringList{key(QStringLiteral("id")),
                    whole(QStringLiteral("companyid")),
                    text(QStringLiteral("chance_title"), 255),
                    text(QStringLiteral("Chance_No")),
                    text(QStringLiteral("chance_connect")),
                    when(QStringLiteral("salesdate")),
                    text(QStringLiteral("chance_percent")),
                    text(QStringLiteral("chance_status")),
                    text(QStringLiteral("invoicetype")),
                    text(QStringLiteral("competiter"), 100),
                    memo(QStringLiteral("description")),
                    text(QStringLiteral("createtime")),
                    text(QStringLiteral("indexflag"))}
            + customFields()
            + QStringList{money(QStringLiteral("totalmoney")),
                          flag(QStringLiteral("chance_GK")),
                          text(QStringLiteral("chance_CZZ")),
                          text(QStringLiteral("over"))});
}

// The line table shape shared by quotation and sales-order lines;
// `unitprice` holds the line total.
QString orderLines(const QString& table)
{
    return createTable(table,
        QStringList{key(QStringLiteral("id")),
                    text(QStringLiteral("productname"), 100),
                    whole(QStringLiteral("companyid")),
                    money(QStringLiteral("price")),
                    number(QStringLiteral("zk")),
                    number(QStringLiteral("num")),
                    money(QStringLiteral("unitprice")),
                    when(QStringLiteral("salesdate")),
                    text(QStringLiteral("indexflag"))});
}

// The order lines in product order with the columns the sales reports and
// analyses read, so summing a year of lines per product needs no sort.
QString orderLinesByProduct()
{
    return QStringLiteral("CREATE INDEX SalesMX_product ON SalesMX (productname COLLATE BINARY, price, num, zk, unitprice, salesdate)");
}

QString service()
{
    return createTable(QStringLiteral("service"),
        QStringList{key(QStringLiteral("id")),
                    whole(QStringLiteral("companyid")),
                    text(QStringLiteral("service_title"), 255),
                    text(QStringLiteral("service_product"), 100),
                    text(QStringLiteral("service_type")),
                    when(QStringLiteral("service_Begintime")),
                    text(QStringLiteral("service_connect")),
                    when(QStringLiteral("service_endtime")),
                    memo(QStringLiteral("description")),
                    text(QStringLiteral("service_end"))}
            + customFields()
            + QStringList{flag(QStringLiteral("service_gk")),
                          text(QStringLiteral("service_CZZ"))});
}

// ---- sales orders, products, purchasing ----

QString sales()
{
    return createTable(QStringLiteral("sales"),
        QStringList{key(QStringLiteral("id")),
                    whole(QStringLiteral("companyid")),
                    text(QStringLiteral("orderno")),
                    text(QStringLiteral("sales_connect")),
                    when(QStringLiteral("salesdate")),
                    money(QStringLiteral("totlemoney")),
                    // a flag in the order windows, the invoice type's text in the quotation conversion
                    text(QStringLiteral("invoicetype")),
                    money(QStringLiteral("receivemoney")),
                    text(QStringLiteral("indexflag")),
                    memo(QStringLiteral("description")),
                    text(QStringLiteral("createtime")),
                    flag(QStringLiteral("sal_gk")),
                    text(QStringLiteral("sal_CZZ")),
                    number(QStringLiteral("TotalNum")),
                    text(QStringLiteral("sales_title"), 255),
                    text(QStringLiteral("moneytype")),
                    money(QStringLiteral("invoicemoney")),
                    whole(QStringLiteral("ckflag")),
                    text(QStringLiteral("ckdate"))}
            + customFields()
            + QStringList{number(QStringLiteral("HT")),
                          text(QStringLiteral("Sal_YWY")),
                          number(QStringLiteral("numtotal"))});
}

QString orderCounter()
{
    return createTable(QStringLiteral("JSQ"),
        QStringList{text(QStringLiteral("Today")),
                    whole(QStringLiteral("LSH")),
                    text(QStringLiteral("PrintOpt"))});
}

QString products()
{
    return createTable(QStringLiteral("product"),
        QStringList{key(QStringLiteral("id")),
                    text(QStringLiteral("product"), 100),
                    text(QStringLiteral("Product_no")),
                    text(QStringLiteral("description"), 100),
                    money(QStringLiteral("price")),
                    text(QStringLiteral("dw"), 20),
                    number(QStringLiteral("KCL")),
                    money(QStringLiteral("InPrice")),
                    number(QStringLiteral("kps"))});
}

QString suppliers()
{
    return createTable(QStringLiteral("GYS"),
        QStringList{key(QStringLiteral("GYS_ID")),
                    text(QStringLiteral("GYS_BH")),
                    text(QStringLiteral("GYS_MC"), 100),
                    text(QStringLiteral("GYS_DH")),
                    text(QStringLiteral("GYS_CZ")),
                    text(QStringLiteral("GYS_FKFS")),
                    text(QStringLiteral("GYS_DZ"), 200),
                    memo(QStringLiteral("GYS_BZ")),
                    money(QStringLiteral("GYS_WFJE")),
                    money(QStringLiteral("GYS_ZJE")),
                    number(QStringLiteral("GYS_ZSL")),
                    number(QStringLiteral("GYS_QT"))});
}

// The purchase header and its lines have no key of their own: `indexflag` ties them.
QString purchaseOrders()
{
    return createTable(QStringLiteral("Jhd"),
        QStringList{text(QStringLiteral("JHD_NO")),
                    text(QStringLiteral("GYS_MC"), 100),
                    text(QStringLiteral("JHD_DATE")),   // the date box's text as typed
                    money(QStringLiteral("JHD_JE")),
                    money(QStringLiteral("JHD_SKJE")),
                    text(QStringLiteral("indexflag")),
                    memo(QStringLiteral("JHD_BZ"))});
}

QString purchaseLines()
{
    return createTable(QStringLiteral("JhMX"),
        QStringList{text(QStringLiteral("productname"), 100),
                    text(QStringLiteral("GYS_ID"), 100),   // the supplier's name, not its key
                    money(QStringLiteral("price")),
                    number(QStringLiteral("num")),
                    money(QStringLiteral("unitprice")),
                    when(QStringLiteral("JH_DATE")),
                    text(QStringLiteral("indexflag")),
                    number(QStringLiteral("Hpnum"))});
}

// ---- operators, settings, reference lists, call log ----

QString operators()
{
    QStringList columns{key(QStringLiteral("User_id")),
                        text(QStringLiteral("user_name")),
                        text(QStringLiteral("user_pwd")),
                        flag(QStringLiteral("permission")),
                        text(QStringLiteral("Uright"), 1)};   // record scope "1", "2" or "3"
    for (const QString& right : rightColumns())
        columns << flag(right);
    return createTable(QStringLiteral("sys_user"), columns);
}

QString settings()
{
    return createTable(QStringLiteral("DriveInfo"),
        QStringList{text(QStringLiteral("WorkModel"), 1),   // "1" workstation, "2" server, "3" standalone
                    text(QStringLiteral("WorkPath"), 255),
                    text(QStringLiteral("DelRecDay")),   // the days box's text: empty or a number
                    text(QStringLiteral("OutLine")),
                    text(QStringLiteral("FlterChar")),
                    flag(QStringLiteral("RecordFlag")),
                    flag(QStringLiteral("isPop")),
                    flag(QStringLiteral("Sys_alert")),
                    text(QStringLiteral("alertpl")),
                    flag(QStringLiteral("StarSMS")),
                    text(QStringLiteral("KH_name"), 100),
                    text(QStringLiteral("KH_add"), 200),
                    text(QStringLiteral("KH_tel")),
                    text(QStringLiteral("des1"), 255),
                    text(QStringLiteral("des2"), 255)});
}

// Reference lists: a key and one text column named like the table.
QStringList referenceLists()
{
    QStringList statements{createTable(QStringLiteral("client_type"),
        QStringList{key(QStringLiteral("id")),
                    text(QStringLiteral("client_type")),
                    text(QStringLiteral("py_code"))})};   // the group's mobile number for order notices
    for (const char* list : {"clientsource", "industry", "invoice", "programstate", "regarding",
                             "servertype", "moneytype", "client_status"}) {
        const QString name = QString::fromLatin1(list);
        statements << createTable(name, QStringList{key(QStringLiteral("id")), text(name)});
    }
    return statements;
}

// The column order is part of the call log's format: the day list reads by position.
QString callLog()
{
    return createTable(QStringLiteral("Hv_Cidlist"),
        QStringList{key(QStringLiteral("id")),
                    when(QStringLiteral("DateTime")),
                    text(QStringLiteral("CallerID")),
                    text(QStringLiteral("UserNO")),
                    text(QStringLiteral("CidName")),
                    text(QStringLiteral("Contant"), 255),
                    text(QStringLiteral("WavFile"), 255),
                    text(QStringLiteral("CIDarea"), 100)});
}

// The caller's number is looked for inside the stored numbers of every
// contact and customer: a scan of these narrow indexes reads far less than a
// scan of the tables. A customer is also found by its name (the card that
// pops up for a caller does so).
QStringList callerIndexes()
{
    return {QStringLiteral("CREATE INDEX KH_LXR_numbers ON KH_LXR (tel, fax, mobil, hometel)"),
            QStringLiteral("CREATE INDEX company_numbers ON company (company_tel, company_fax, company_mobil)"),
            QStringLiteral("CREATE INDEX company_by_name ON company (company_name)")};
}

// The keys the daily work looks rows up by: the lines of a header by their
// line key, a customer's records by its key (the card's tabs, the cascade
// delete), the call log by time and by number, a product by its name, an
// order by its number (the order counter skips numbers already taken, inside
// the save's write lock), the order lines by date (the sales detail lists them newest first: walked
// backwards the index gives that order, the line's id being its last key). Each
// statement can run again on a file that holds it, so a file made before an
// index was added gains it when the program opens it.
QStringList lookupIndexes()
{
    QStringList statements;
    const auto index = [&statements](const char* table, const char* column) {
        statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1_%2 ON %1 (%2)")
                          .arg(QLatin1String(table), QLatin1String(column));
    };
    for (const char* table : {"sales", "SalesMX", "chance", "chanceMX", "Jhd", "JhMX"})
        index(table, "indexflag");
    for (const char* table : {"KH_LXR", "KH_ACT", "chance", "chanceMX", "sales", "SalesMX", "service"})
        index(table, "companyid");
    index("Hv_Cidlist", "DateTime");
    index("Hv_Cidlist", "CallerID");
    index("product", "product");
    index("sales", "orderno");
    index("SalesMX", "salesdate");
    return statements;
}

// ---- first rows ----

QString firstSettingsRow()
{
    const QString empty = sqltext::quoted(QString());
    return insertRow(QStringLiteral("DriveInfo"),
        Values{{QStringLiteral("WorkModel"), quoted("3")},
               {QStringLiteral("WorkPath"), empty},
               {QStringLiteral("DelRecDay"), quoted("30")},
               {QStringLiteral("OutLine"), empty},
               {QStringLiteral("FlterChar"), empty},
               {QStringLiteral("RecordFlag"), quoted("0")},
               {QStringLiteral("isPop"), quoted("1")},
               {QStringLiteral("Sys_alert"), quoted("0")},
               {QStringLiteral("alertpl"), quoted("1")},
               {QStringLiteral("StarSMS"), quoted("0")},
               {QStringLiteral("KH_name"), empty},
               {QStringLiteral("KH_add"), empty},
               {QStringLiteral("KH_tel"), empty},
               {QStringLiteral("des1"), empty},
               {QStringLiteral("des2"), empty}});
}

// No day has been counted yet: the first order window of a day starts the run.
QString firstCounterRow()
{
    const QString empty = sqltext::quoted(QString());
    return insertRow(QStringLiteral("JSQ"),
        Values{{QStringLiteral("Today"), empty},
               {QStringLiteral("LSH"), QStringLiteral("0")},
               {QStringLiteral("PrintOpt"), empty}});
}

// The delivered administrator account: "system" with an empty password and every right.
QString systemOperator()
{
    Values values{{QStringLiteral("user_name"), quoted("system")},
                  {QStringLiteral("user_pwd"), sqltext::quoted(QString())},
                  {QStringLiteral("permission"), quoted("1")},
                  {QStringLiteral("Uright"), quoted("1")}};
    for (const QString& right : rightColumns())
        values.append({right, quoted("1")});
    return insertRow(QStringLiteral("sys_user"), values);
}

QStringList customerStatuses()
{
    QStringList statements;
    for (const char* status : {"潜在客户", "意向客户", "成交客户", "流失客户"})
        statements << insertRow(QStringLiteral("client_status"), Values{{QStringLiteral("client_status"), quoted(status)}});
    return statements;
}

// Every table of the main database but the call keys' (made by callKeys()).
QStringList mainTables()
{
    return QStringList{company(), contacts(), activities(), opportunities(),
                       orderLines(QStringLiteral("chanceMX")), sales(),
                       orderLines(QStringLiteral("SalesMX")), service(), products(), suppliers(),
                       purchaseOrders(), purchaseLines(), orderCounter(), operators(), settings(),
                       callLog()}
        + referenceLists();
}

// What a file made by an earlier build gains of one table, read back from the
// statement createTable() wrote: the table when the file lacks it, and each
// column (but the key, which a table always has) when the table lacks it.
QStringList tableGained(const QString& create)
{
    const QStringList lines = create.split(QLatin1Char('\n'));
    const QString table = lines.front().section(QLatin1Char(' '), 2, 2);
    QStringList statements{QStringLiteral("CREATE TABLE IF NOT EXISTS ") + create.mid(QStringLiteral("CREATE TABLE ").size())};
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
        QString column = lines[i].trimmed();
        if (column.endsWith(QLatin1Char(','))) column.chop(1);
        if (column.contains(QLatin1String("PRIMARY KEY"))) continue;
        statements << QStringLiteral("ALTER TABLE ") + table + QStringLiteral(" ADD COLUMN ") + column;
    }
    return statements;
}

} // namespace

QString callKeys()
{
    return QStringLiteral("CREATE TABLE IF NOT EXISTS Hv_CidKey (\n  CallKey TEXT(40) PRIMARY KEY,\n  CidId LONG\n)");
}

QStringList mainDatabase()
{
    return mainTables()
        + QStringList{callKeys(), orderLinesByProduct()}
        + callerIndexes()
        + lookupIndexes()
        + QStringList{firstSettingsRow(), firstCounterRow(), systemOperator()}
        + customerStatuses();
}

QStringList mainOnOpen()
{
    QStringList statements;
    for (const QString& create : mainTables()) statements += tableGained(create);
    return statements + QStringList{callKeys()} + lookupIndexes();
}

QStringList smsDatabase()
{
    // The outbox: one row is one message to one or more numbers, read by the sender program.
    const QString outbox = createTable(QStringLiteral("sms"),
        QStringList{memo(QStringLiteral("MobilNO")),
                    memo(QStringLiteral("Content")),
                    flag(QStringLiteral("LmtSend")),
                    text(QStringLiteral("SendTime")),   // "yyyymmddhhmmss"
                    text(QStringLiteral("RecState")),
                    text(QStringLiteral("SMSCZZ")),
                    text(QStringLiteral("RecTime"))});
    // The gateway account: one row, empty until the account is set up.
    const QString account = createTable(QStringLiteral("SMSSET"),
        QStringList{text(QStringLiteral("RegNO")),
                    text(QStringLiteral("RegPass"))});
    const QString empty = sqltext::quoted(QString());
    return QStringList{outbox, account,
                       insertRow(QStringLiteral("SMSSET"),
                                 Values{{QStringLiteral("RegNO"), empty}, {QStringLiteral("RegPass"), empty}})};
}

} // namespace schema
