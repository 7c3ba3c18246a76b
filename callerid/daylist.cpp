// The calls of one day: the list, its day navigation, sort and clicks, and
// the day's export to an Excel workbook.
#include "callerid/dsrormat.h"
#include "callerid/execsql.h"
#include "callerid/gtmain.h"
#include "callerid/numbermatch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "common/workbookexport.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

#include <QHash>

namespace callerid {

namespace {

constexpr int kTimeColumn = 2;
// Written, but no program here opens a workbook: the operator is told where it is.
const char* const kExportedNotOpened = "来电记录已导出到%1,但无法打开该文件";
const QStringList kCompanyNumbers = {QStringLiteral("company_tel"), QStringLiteral("company_fax"),
                                     QStringLiteral("company_mobil")};

// The calls from the start of the day up to, not including, the start of the next.
QString dayCondition(const QDate& day)
{
    return QStringLiteral("datetime>=") + sqltext::dateLiteral(day) + QStringLiteral(" and datetime<")
        + sqltext::dateLiteral(day.addDays(1));
}

// The customer of each number: the one whose numbers hold it, best match
// first, read for all numbers at once; a number without one is not in the
// result, nor any when the lookup fails.
QHash<QString, QString> customersOf(db::Connection& connection, const QStringList& numbers)
{
    QHash<QString, QString> names;
    database::guarded([&] {
        const QHash<QString, std::int64_t> companies =
            numbermatch::bestIds(connection, QStringLiteral("company"), kCompanyNumbers, numbers);
        if (companies.isEmpty()) return;
        QStringList ids;
        for (const std::int64_t id : companies) ids << QString::number(id);
        db::Recordset company;
        company.open(QStringLiteral("select id,company_name from company where id in (") + ids.join(QLatin1Char(','))
                         + QLatin1Char(')'),
                     connection);
        QHash<std::int64_t, QString> nameOf;
        for (; !company.eof(); company.moveNext())
            nameOf.insert(company.field(0).toLong(), company.field(1).toText());
        for (auto match = companies.cbegin(); match != companies.cend(); ++match)
            if (nameOf.contains(match.value())) names.insert(match.key(), nameOf.value(match.value()));
    });
    return names;
}

} // namespace

void GtMain::LoadDayCalls(const QString& dayText)
{
    const QDate day = dSrormat::parseShortDate(dayText);
    ListView3->clearItems();
    const bool withRecordings = Mymode::UserRights.contains(QLatin1String("b_work=1;"));
    database::guarded([&] {
        if (!day.isValid()) return;
        std::shared_ptr<db::Recordset> calls = Const::ExecSql(QStringLiteral("select * from Hv_Cidlist where ")
                                                              + dayCondition(day) + QStringLiteral(" order by datetime desc"));
        if (!calls || calls->eof()) return;
        QStringList numbers;   // a number that called again is looked up once
        for (; !calls->eof(); calls->moveNext()) {
            const QString number = calls->field(QStringLiteral("CallerID")).toText().trimmed();
            if (!numbers.contains(number)) numbers << number;
        }
        const QHash<QString, QString> customers = customersOf(*database::openMain(), numbers);
        for (calls->moveFirst(); !calls->eof(); calls->moveNext()) {
            const QString callerId = calls->field(QStringLiteral("CallerID")).toText();
            const db::Variant when = calls->field(QStringLiteral("DateTime"));
            QStringList texts{
                QStringLiteral("%1.").arg(ListView3->itemCount() + 1, 2, 10, QLatin1Char('0')),
                callerId,
                when.isNullOrEmpty() ? QString() : when.toDate().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")),
                customers.value(callerId.trimmed(), QStringLiteral("陌生电话")),
                calls->field(QStringLiteral("UserNO")).toText(),
                QString(),
                calls->field(QStringLiteral("CidName")).toText()};
            if (withRecordings) texts << calls->field(QStringLiteral("WavFile")).toText();
            ListView3->addItem(texts, calls->field(QStringLiteral("id")).toText());
        }
    });
    ldian->setText(QString::number(ListView3->itemCount()));
}

void GtMain::showDay(const QDate& day)
{
    hvDay->setText(dSrormat::FormatShortDate(day, true));
    LoadDayCalls(hvDay->text());
}

// The day in the box; today when the box holds no day.
QDate GtMain::shownDay() const
{
    const QDate day = dSrormat::parseShortDate(hvDay->text());
    return day.isValid() ? day : db::locale::now().date();
}

void GtMain::image12_Click()
{
    showDay(db::locale::now().date());
}

void GtMain::image14_Click()
{
    showDay(shownDay().addDays(-1));
}

void GtMain::image16_Click()
{
    showDay(shownDay().addDays(1));
}

// The first click sorts descending; each further click, on any column, turns the order.
void GtMain::ListView3_ColumnClick(int column)
{
    ListView3->setSortKey(column - 1);
    ListView3->setSorted(true);
    ListView3->setSortOrder(ListView3->sortOrder() == ui::ListView::Descending ? ui::ListView::Ascending
                                                                               : ui::ListView::Descending);
}

// A click keeps the call's time; only the double-click that opens the call
// makes it pending, so a click alone never makes a later opening from the
// customer card show this call instead of the card's own.
void GtMain::ListView3_ItemClick(int row)
{
    Openitem_ = ListView3->text(row, kTimeColumn).trimmed();
    clickedId_ = ListView3->tag(row).toInt();
}

// An open call-record window only comes forward with the call it shows, so
// the clicked call is made pending only for a window that loads now.
void GtMain::ListView3_DblClick()
{
    if (!ui::Windows::isDefined(QStringLiteral("frmComeing"))) return;
    if (!ui::Windows::loaded(QStringLiteral("frmComeing"))) OpenitemId_ = clickedId_;
    ui::Windows::open(QStringLiteral("frmComeing"));
}

// The shown day's calls into the sheet "来电记录" of Export2excel.xls, which then opens.
void GtMain::command2_Click()
{
    const QDate day = shownDay();
    const auto result = workbookexport::exportAndOpen([&day](const QString& workbook) {
        return QStringLiteral("SELECT cstr(DateTime) as 来电时间,CallerID as 来电号码,CIDarea as 来电区域,UserNO as 联系人,"
                              "CidName as 话务员,Contant as 来电内容,WavFile as 录音文件 INTO [Excel 5.0;DATABASE=")
            + workbook + QStringLiteral("].[来电记录] FROM Hv_Cidlist where DateTime>=") + sqltext::dateLiteral(day)
            + QStringLiteral(" and DateTime<") + sqltext::dateLiteral(day.addDays(1));
    });
    if (result == workbookexport::Result::NotOpened)
        ui::msgBox(QString::fromUtf8(kExportedNotOpened).arg(ui::programPath(QStringLiteral("Export2excel.xls"))));
}

} // namespace callerid
