// The calls of one day: the list, its day navigation, sort and clicks, and
// the day's export to an Excel workbook.
#include "callerid/dsrormat.h"
#include "callerid/gtmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/readfailure.h"
#include "common/sqltext.h"
#include "common/workbookexport.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace callerid {

namespace {

constexpr int kTimeColumn = 2;
// Written, but no program here opens a workbook: the operator is told where it is.
const char* const kExportedNotOpened = "来电记录已导出到%1,但无法打开该文件";

} // namespace

void GtMain::LoadDayCalls(const QString& dayText)
{
    listDay(dSrormat::parseShortDate(dayText), true);
}

// After a call, once the writer has written: today's list (until it could
// be read), else the shown day, brought up to date.
void GtMain::refreshDayCalls()
{
    listDay(todayDue_ ? db::locale::now().date() : shownDay(), false);
}

// The day's calls are read by the reader thread; the list shows them when
// they come (dayAnswered).
void GtMain::listDay(const QDate& day, bool whole)
{
    reader_.listDay(day, whole, Mymode::ConnectString);
}

// The day's calls into the list and the day into its box. A reading that
// failed leaves the list, its count and the day as they were and says why
// beside the list's caption: a box here would stop the poll tick.
void GtMain::dayAnswered(const MonitorReader::Day& answer)
{
    ListStateLabel->setVisible(answer.failure.has_value());
    if (answer.failure) {
        ListStateLabel->setCaption(readfailure::text(*answer.failure));
        return;
    }
    if (answer.day.isValid()) hvDay->setText(dSrormat::FormatShortDate(answer.day, true));
    if (answer.day == db::locale::now().date()) todayDue_ = false;
    showDayCalls(answer.calls);
}

void GtMain::showDayCalls(const std::vector<DayCall>& calls)
{
    ListView3->clearItems();
    const bool withRecordings = Mymode::UserRights.contains(QLatin1String("b_work=1;"));
    for (const DayCall& call : calls) {
        QStringList texts{QStringLiteral("%1.").arg(ListView3->itemCount() + 1, 2, 10, QLatin1Char('0')),
                          call.callerId,
                          call.time,
                          call.customer.value_or(QStringLiteral("陌生电话")),
                          call.userNo,
                          QString(),
                          call.cidName};
        if (withRecordings) texts << call.wavFile;
        ListView3->addItem(texts, QString::number(call.id));
    }
    ldian->setText(QString::number(ListView3->itemCount()));
}

// The day in the box; today when the box holds no day.
QDate GtMain::shownDay() const
{
    const QDate day = dSrormat::parseShortDate(hvDay->text());
    return day.isValid() ? day : db::locale::now().date();
}

// The operator's day from now on.
void GtMain::image12_Click()
{
    todayDue_ = false;
    listDay(db::locale::now().date(), true);
}

void GtMain::image14_Click()
{
    todayDue_ = false;
    listDay(shownDay().addDays(-1), true);
}

void GtMain::image16_Click()
{
    todayDue_ = false;
    listDay(shownDay().addDays(1), true);
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
