// The reports read while another workstation holds the data file: each query
// says so and leaves what the window showed (never a zero total or an empty
// chart as if read), a window opened then shows nothing as if read, a
// printout or an export makes nothing, and each action works once the file
// is free.
#include "salesfixture.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/print/preview.h"
#include "platform/ui/chart.h"
#include "platform/ui/listview.h"
#include "platform/ui/tabcontrol.h"
#include "platform/ui/windows.h"
#include "tests/support/busyfile.h"
#include "tests/support/desktopprobe.h"

#include <QCoreApplication>
#include <QDir>
#include <functional>

namespace {

const QString kBusy = QString::fromUtf8(readfailure::kBusyText);

class BusyReads : public SalesData {
protected:
    ui::Form* open(const char* kind, const char* selector = "")
    {
        Mymode::ReportSelector = QString::fromLatin1(selector);
        form_ = ui::Windows::open(QString::fromLatin1(kind));
        if (form_) form_->show();
        return form_;
    }
    // A click of the operator's mouse on the control; the event loop then
    // runs, which ends the action.
    void press(const char* name)
    {
        clickWithMouse(form_->control<QWidget>(QString::fromLatin1(name)));
        QCoreApplication::processEvents();
    }
    void showTab(int tab) { form_->control<ui::TabControl>(QStringLiteral("SSTab1"))->setTab(tab); }

    // Everything the window shows of what it read: each list's columns and
    // rows, each drop-down list's names, the result text, the labels under
    // the list or the text, the chart's title and rows.
    std::string shown()
    {
        QStringList all;
        for (ui::ListView* list : each<ui::ListView>({"ListView1", "ListView3"})) {
            for (int column = 0; column < list->columnCount(); ++column) all << list->columnCaption(column);
            for (int row = 0; row < list->itemCount(); ++row)
                for (int column = 0; column < list->columnCount(); ++column) all << list->text(row, column);
        }
        for (ui::ComboBox* box : each<ui::ComboBox>({"product", "Combo1"}))
            for (int i = 0; i < box->listCount(); ++i) all << box->list(i);
        for (ui::TextArea* text : each<ui::TextArea>({"Text3"})) all << text->text();
        for (ui::Label* label : each<ui::Label>({"Label3", "Label4"})) all << label->caption();
        for (ui::Chart* chart : each<ui::Chart>({"MSChart1"})) {
            all << chart->titleText();
            for (int row = 1; row <= chart->rowCount(); ++row) all << chart->valueText(row);
        }
        return all.join(QLatin1Char('|')).toStdString();
    }
    // Those of the named controls the window has.
    template <class T>
    std::vector<T*> each(std::initializer_list<const char*> names)
    {
        std::vector<T*> found;
        for (const char* name : names)
            if (form_->hasControl(QString::fromLatin1(name))) found.push_back(form_->control<T>(QString::fromLatin1(name)));
        return found;
    }

    // 笔 sold and bought today.
    void firstSales()
    {
        customer_ = addCustomer(QStringLiteral("甲"));
        addProduct(QStringLiteral("笔"), QString(), QStringLiteral("1"), QStringLiteral("5"));
        addOrder(customer_, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("10"));
        addLine(customer_, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("笔"), QStringLiteral("2"),
                QStringLiteral("5"), QStringLiteral("10"));
        addPurchase(QStringLiteral("笔"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 8:00:00"), QStringLiteral("3"),
                    QStringLiteral("3"));
    }
    // More of the same, which every report and analysis shows once it reads again.
    void moreSales()
    {
        addProduct(QStringLiteral("纸"), QString(), QStringLiteral("2"), QStringLiteral("1"));
        addOrder(customer_, QStringLiteral("b"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("4"));
        addLine(customer_, QStringLiteral("b"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("笔"), QStringLiteral("2"),
                QStringLiteral("2"), QStringLiteral("4"));
        addPurchase(QStringLiteral("纸"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("1"),
                    QStringLiteral("1"));
    }

    ui::Form* form_ = nullptr;
    int customer_ = 0;
};

// Each query the operator starts, on a held file: the box says the file is
// busy (one box: the action waited once), the window shows what it showed
// before, and the same action shows the new rows once the file is free.
TEST_F(BusyReads, AQueryOnAHeldFileSaysSoAndKeepsWhatTheWindowShowed)
{
    using Step = std::function<void()>;
    const Step analyse = [this] {
        showTab(0);
        press("command3");
    };
    const struct {
        const char* window;
        const char* selector;
        Step choose;    // before the first query
        Step query;     // the first query, and the one once the file is free
        Step held;      // the one on the held file, when it is another
    } cases[] = {
        {"repSalMx", "", {}, [this] { press("command3"); }, {}},
        {"repsal", "2", {}, [this] { press("command1"); }, {}},
        {"repsal", "5", {}, [this] { press("command1"); }, {}},
        // Another kind chosen: the list keeps the last kind's columns, rows and total.
        {"repsal", "2", {}, [this] { press("command1"); }, [this] { press("Option1(4)"); }},
        {"repKC", "9", {}, [this] { press("command1"); }, {}},
        {"repKC", "6", {}, [this] { press("command1"); }, {}},
        {"repKC", "7", {}, [this] { press("command1"); }, [this] { press("Option1(2)"); }},
        {"AnalySalesGc", "", {}, analyse, {}},
        {"AnalySalesGc", "", [this] { press("Option1(1)"); }, analyse, {}},
        {"AnalySalesQs", "", [this] { press("Option1(1)"); }, analyse, {}},
        {"AnalySalesQs", "",
         [this] {
             press("Option2(1)");
             form_->control<ui::ComboBox>(QStringLiteral("Combo1"))->setText(QStringLiteral("笔"));
         },
         analyse, {}},
        // The trend's product choice reads the names afresh; on a held file it keeps those it had.
        {"AnalySalesQs", "", {}, [this] { press("Option2(0)"); press("Option2(1)"); }, {}},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << number++ << " " << c.window << " " << c.selector);
        for (const char* table : {"SalesMX", "sales", "product", "JhMX"})
            exec(QStringLiteral("delete from ") + QString::fromLatin1(table));
        firstSales();
        ASSERT_TRUE(open(c.window, c.selector));
        if (c.choose) c.choose();
        c.query();
        ASSERT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        const std::string before = shown();

        moreSales();
        {
            OtherWorkstationWriting hold(OtherWorkstationWriting::Hold::Exclusive);
            (c.held ? c.held : c.query)();
            expectOnly(kBusy);
            EXPECT_EQ(shown(), before);
        }
        c.query();
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_NE(shown(), before);
        ui::Windows::unload(form_);
    }
}

// A window whose first read meets a held file says so and shows no rows and
// no totals: nothing passes for a range without sales. Its run button reads
// once the file is free.
TEST_F(BusyReads, AWindowOpenedOnAHeldFileShowsNothingAsIfRead)
{
    firstSales();
    const struct {
        const char* window;
        const char* selector;
        const char* run;
        QStringList shownWhileHeld;
        QStringList shownOnceFree;
    } cases[] = {
        {"repKC", "9", "command1", {},
         {"序号", "日期", "供应商", "产品", "总金额", "进货量", "1", "2009-6-15 8:00:00", "供应商", "笔", "3", "3",
          "总金额:3  总数量:3"}},
        // The columns it opens with, no rows, no total.
        {"repsal", "2", "command1", {"序号", "项目", "总销售额", "销售数量", ""},
         {"序号", "日期", "总销售额", "1", "2009-6-15", "10", "小计：10"}},
        // The product names are read as the window opens: "全部" alone stays, a name can be typed.
        {"repSalMx", "", "command3", {"全部", "导出到Excel文件", "商品名称"},
         {"序号", "销售时间", "单号", "客户名称", "商品名", "单价", "数量", "小计",
          "1", "2009-6-15 9:00:00", "SH-a", "甲", "笔", "2", "5", "10",
          "2", "", "", "", "", "  总计:", "5", "10", "全部", "导出到Excel文件", "商品名称"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        {
            OtherWorkstationWriting hold(OtherWorkstationWriting::Hold::Exclusive);
            ASSERT_TRUE(open(c.window, c.selector));
            expectOnly(kBusy);
            EXPECT_EQ(shown(), c.shownWhileHeld.join(QLatin1Char('|')).toStdString());
        }
        QCoreApplication::processEvents();
        press(c.run);
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_EQ(shown(), c.shownOnceFree.join(QLatin1Char('|')).toStdString());
        ui::Windows::unload(form_);
    }
}

// A printout or an export on a held file says why and makes nothing: no
// preview with an empty page, no workbook; once the file is free the same
// command makes it.
TEST_F(BusyReads, APrintoutOrAnExportOnAHeldFileMakesNothingAndSaysWhy)
{
    firstSales();
    Mymode::CustListSql = QStringLiteral("select id,company_name,company_address,company_connect,company_tel,"
                                         "company_fax,company_mobil,company_postcode from company order by id desc");
    const QString temp = path(QStringLiteral("tmp"));
    QDir().mkpath(temp);
    const QByteArray savedTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.toUtf8());
    const QString exportFailed = QStringLiteral("导出到Excel失败,没有生成导出文件。") + kBusy;

    const struct {
        const char* window;    // a printout, or the report window whose export picture is clicked
        const char* selector;
    } cases[] = {{"DataReport1", ""}, {"DataReport2", ""}, {"repSalMx", ""}, {"repsal", "2"}, {"repKC", "9"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window);
        DesktopProbe desktop;
        const QString kind = QString::fromLatin1(c.window);
        const bool printout = kind.startsWith(QLatin1String("DataReport"));
        if (!printout) ASSERT_TRUE(open(c.window, c.selector));
        const auto made = [&] {
            if (printout) {
                auto* preview = dynamic_cast<print::PreviewForm*>(ui::Windows::open(kind));
                return preview ? int(preview->report()->rows().values.size()) : -1;
            }
            press("Image1");
            return int(desktop.opened().size());
        };
        {
            OtherWorkstationWriting hold(OtherWorkstationWriting::Hold::Exclusive);
            EXPECT_EQ(made(), printout ? -1 : 0);
            if (printout) expectOnly(kBusy);
            else expectOnly(exportFailed, ui::Icon::Error, QStringLiteral("导出到Excel"));
            EXPECT_EQ(ui::Windows::loaded(kind) != nullptr, !printout);
            EXPECT_TRUE(QDir(temp).entryList(QDir::Files).isEmpty());
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(made(), 1);
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        ui::Windows::unload(kind);
        for (const QString& file : QDir(temp).entryList(QDir::Files)) QFile::remove(QDir(temp).filePath(file));
    }
    qputenv("TMPDIR", savedTemp);
}

} // namespace
