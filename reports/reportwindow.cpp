#include "reports/reportwindow.h"

#include "common/database.h"
#include "common/skin.h"
#include "platform/ui/desktop.h"
#include "platform/ui/listview.h"
#include "platform/ui/msgbox.h"
#include "reports/reportlist.h"

#include <algorithm>

namespace reports {

namespace {
const char* const kBadStartText = "开始日期非法";
const char* const kBadEndText = "结束日期非法";
} // namespace

ReportWindow::ReportWindow(const QString& kind, double totalsWidth) : ui::Form(kind)
{
    setSizeTwips(10605, 7005);
    closeOnEscape();
    addLabel(QStringLiteral("Label1"), QStringLiteral("从"), 480, 390, 375, 255);
    text1 = ui::addDatePicker(this, QStringLiteral("text1"), 840, 360, 1215, 375);
    addLabel(QStringLiteral("Label2"), QStringLiteral("到"), 2400, 390, 255, 255);
    text2 = ui::addDatePicker(this, QStringLiteral("text2"), 2760, 360, 1215, 375);
    addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/report.bmp")), 4200, 360, 1200, 330)
        ->onClick = [this] { command1_Click(); };
    ListView3 = ui::addListView(this, QStringLiteral("ListView3"), 120, 840, 8535, 5535);
    ListView3->onColumnClick = [this](int index) { ListView3_ColumnClick(index); };
    addPictureButton(QStringLiteral("Image1"), ui::programPath(QStringLiteral("bmp/tbexcel.bmp")), 9240, 4560, 495, 465)
        ->onClick = [this] { Image1_Click(); };
    ui::Label* exportCaption = addLabel(QStringLiteral("Label5"), QStringLiteral("结果导出到   Excel文件"), 9120, 5160, 1215, 375);
    exportCaption->setWordWrap(true);
    // The caption wraps to two lines, which need more than the design's height
    // in this font: the label grows downward into the free space below it.
    exportCaption->resize(exportCaption->width(),
                          std::max(exportCaption->height(), exportCaption->heightForWidth(exportCaption->width())));
    Label3 = addLabel(QStringLiteral("Label3"), QString(), 1320, 6720, totalsWidth, 255);
}

void ReportWindow::ResizeInit(ui::Form* FormName)
{
    layout_.remember(FormName);
}

void ReportWindow::ResizeForm(ui::Form* FormName)
{
    layout_.scale(FormName);
}

void ReportWindow::Form_Resize()
{
    ResizeForm(this);
}

void ReportWindow::Form_Paint()
{
    skin::paint(this);
}

void ReportWindow::ListView3_ColumnClick(int index)
{
    ListView3->setSortKey(index - 1);
    ListView3->setSorted(true);
    ListView3->setSortOrder(ListView3->sortOrder() == ui::ListView::Descending ? ui::ListView::Ascending
                                                                                : ui::ListView::Descending);
}

bool ReportWindow::datesValid()
{
    if (text1->isEmpty()) {
        ui::msgBox(QString::fromUtf8(kBadStartText));
        return false;
    }
    if (text2->isEmpty()) {
        ui::msgBox(QString::fromUtf8(kBadEndText));
        return false;
    }
    return true;
}

void ReportWindow::showReport(const ReportColumns& columns, const std::function<ReportResult()>& run)
{
    ReportResult result;
    if (!database::read([&] { result = run(); })) return;
    reportlist::setColumns(ListView3, columns);
    reportlist::setRows(ListView3, result.rows);
    Label3->setCaption(result.totals);
}

} // namespace reports
