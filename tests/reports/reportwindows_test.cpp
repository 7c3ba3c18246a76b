// The report windows as the operator uses them: the report chosen at load,
// runs with their date checks, the header sort, the proportional layout, and
// the detail report's filters and export.
#include "salesfixture.h"

#include "common/mymode.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/listview.h"
#include "platform/ui/windows.h"
#include "reports/reportwindow.h"
#include "tests/support/desktopprobe.h"
#include "tests/support/xlsread.h"

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

namespace {

class ReportWindows : public SalesData {
protected:
    ui::Form* open(const char* kind, const char* selector = "")
    {
        Mymode::ReportSelector = QString::fromLatin1(selector);
        form_ = ui::Windows::open(QString::fromLatin1(kind));
        return form_;
    }
    template <class T>
    T* ctl(const char* name) { return form_->control<T>(QString::fromLatin1(name)); }
    ui::ListView* list(const char* name = "ListView3") { return ctl<ui::ListView>(name); }
    QString totals() { return ctl<ui::Label>("Label3")->caption(); }
    QStringList captions()
    {
        QStringList all;
        for (int i = 0; i < list()->columnCount(); ++i) all << list()->columnCaption(i);
        return all;
    }
    bool selected(const char* option) { return ctl<ui::OptionButton>(option)->value(); }

    // The controls the window placed, with their geometry in pixels.
    std::map<QString, QRect> placed()
    {
        std::map<QString, QRect> geometry;
        for (QWidget* control : form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!control->objectName().isEmpty()) geometry[control->objectName()] = control->geometry();
        for (ui::Label* label : form_->findChildren<ui::Label*>(QString(), Qt::FindDirectChildrenOnly))
            geometry[label->objectName()] = label->geometry();
        return geometry;
    }

    void ordersOnThreeDays()
    {
        const int c = addCustomer(QStringLiteral("甲"));
        addOrder(c, QStringLiteral("a"), QStringLiteral("2009-6-13 9:00:00"), QStringLiteral("1"));
        addOrder(c, QStringLiteral("b"), QStringLiteral("2009-6-14 9:00:00"), QStringLiteral("2"));
        addOrder(c, QStringLiteral("c"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("10"));
        addOrder(c, QStringLiteral("d"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("0.5"));
    }

    ui::Form* form_ = nullptr;
};

TEST_F(ReportWindows, SummaryOpensOnTheChosenKind)
{
    ordersOnThreeDays();
    open("repsal", "1");
    EXPECT_TRUE(selected("Option1(1)"));
    EXPECT_EQ(ctl<ui::DatePicker>("text1")->value(), day(2009, 6, 15));
    EXPECT_EQ(captions(), (QStringList{"序号", "月份", "总销售额"}));
    ASSERT_EQ(list()->itemCount(), 1);
    EXPECT_EQ(list()->text(0, 1), QStringLiteral("2009-6月"));
    EXPECT_EQ(totals(), QStringLiteral("小计：10.5"));

    // A menu command while the window is open changes nothing.
    Mymode::ReportSelector = QStringLiteral("4");
    EXPECT_EQ(ui::Windows::open(QStringLiteral("repsal")), form_);
    EXPECT_TRUE(selected("Option1(1)"));
    ui::Windows::unload(form_);

    open("repsal", "3");
    for (const char* option : {"Option1(0)", "Option1(1)", "Option1(2)", "Option1(4)", "Option1(5)"}) EXPECT_FALSE(selected(option));
    EXPECT_EQ(captions(), (QStringList{"序号", "项目", "总销售额", "销售数量"}));
    EXPECT_EQ(totals(), QString());
    ui::Windows::unload(form_);

    open("repsal", "7");
    EXPECT_TRUE(selected("Option1(2)"));
    ctl<ui::DatePicker>("text1")->setValue(day(2009, 6, 13));
    ctl<ui::PictureButton>("command1")->click();
    EXPECT_EQ(list()->columnTexts(1), (QStringList{"2009-6-15", "2009-6-14", "2009-6-13"}));
    EXPECT_EQ(totals(), QStringLiteral("小计：13.5"));

    // Invalid dates keep the list and the label.
    ctl<ui::DatePicker>("text2")->setValue(QDate());
    ctl<ui::OptionButton>("Option1(0)")->setValue(true);
    expectOnly(QStringLiteral("结束日期非法"));
    ctl<ui::DatePicker>("text1")->setValue(QDate());
    ctl<ui::PictureButton>("command1")->click();
    expectOnly(QStringLiteral("开始日期非法"));
    EXPECT_EQ(list()->itemCount(), 3);
    EXPECT_EQ(totals(), QStringLiteral("小计：13.5"));
}

TEST_F(ReportWindows, SummaryTotalShowsItsValueWhole)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addOrder(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("123456789.1234"));
    addOrder(c, QStringLiteral("b"), QStringLiteral("2009-6-15 10:00:00"), QStringLiteral("876543210.5"));
    open("repsal", "2");
    form_->show();
    auto* total = ctl<ui::Label>("Label3");
    EXPECT_EQ(totals(), QStringLiteral("小计：999999999.6234"));
    EXPECT_TRUE(total->isVisible());
    EXPECT_LE(QFontMetrics(total->font()).horizontalAdvance(totals()), total->contentsRect().width());
    EXPECT_LE(QFontMetrics(total->font()).height(), total->contentsRect().height());
    EXPECT_LE(total->geometry().right(), form_->width());
    EXPECT_LE(total->geometry().bottom(), form_->height());
    // None of the window's controls lies over it.
    for (QWidget* other : form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!other->objectName().isEmpty() && other->isVisible()) EXPECT_FALSE(other->geometry().intersects(total->geometry())) << other->objectName().toStdString();
}

TEST_F(ReportWindows, TypedDatesSetTheRange)
{
    const int c = addCustomer(QStringLiteral("甲"));
    addOrder(c, QStringLiteral("a"), QStringLiteral("2008-3-1 9:00:00"), QStringLiteral("7"));
    addOrder(c, QStringLiteral("b"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("1"));
    open("repsal", "0");
    form_->show();
    auto* start = ctl<ui::DatePicker>("text1");
    QTest::mouseClick(start->findChild<QLineEdit*>(), Qt::LeftButton, Qt::NoModifier, QPoint(4, 8));
    QTest::keyClicks(start, QStringLiteral("2008-1-1"));
    QTest::keyClick(start, Qt::Key_Tab);
    EXPECT_EQ(start->value(), day(2008, 1, 1));
    ctl<ui::PictureButton>("command1")->click();
    ASSERT_EQ(list()->itemCount(), 2);
    EXPECT_EQ(list()->text(1, 1), QStringLiteral("2008年"));
    EXPECT_EQ(totals(), QStringLiteral("小计：8"));
}

TEST_F(ReportWindows, HeaderClicksFlipOneOrderForTheWholeList)
{
    for (int i = 1; i <= 10; ++i) addProduct(QStringLiteral("p%1").arg(i), QString(), QStringLiteral("1"), QString::number(i));
    open("repKC", "x");
    EXPECT_TRUE(selected("Option1(0)"));
    ASSERT_EQ(list()->itemCount(), 10);
    list()->clickColumn(1);
    EXPECT_EQ(list()->sortKey(), 0);
    EXPECT_TRUE(list()->sorted());
    EXPECT_EQ(list()->sortOrder(), ui::ListView::Descending);
    EXPECT_EQ(list()->text(0, 0), QStringLiteral("9"));
    list()->clickColumn(5);
    EXPECT_EQ(list()->sortKey(), 4);
    EXPECT_EQ(list()->sortOrder(), ui::ListView::Ascending);
    EXPECT_EQ(list()->columnTexts(4).mid(0, 3), (QStringList{"1", "10", "2"}));   // by text

    // The sort stays across runs, also onto a report with fewer columns.
    ctl<ui::OptionButton>("Option1(1)")->setValue(true);
    EXPECT_EQ(captions(), (QStringList{"序号", "产品名", "出库量"}));
    EXPECT_EQ(totals(), QStringLiteral("小计：0"));
    EXPECT_TRUE(list()->sorted());
}

TEST_F(ReportWindows, LayoutScalesFromTheDesign)
{
    for (const char* kind : {"repsal", "repKC"}) {
        open(kind, "6");
        auto* window = dynamic_cast<reports::ReportWindow*>(form_);
        ASSERT_TRUE(window);
        const QSize design = form_->size();
        const auto atLoad = placed();
        ASSERT_GT(atLoad.size(), 10u);
        EXPECT_EQ(window->designLayout().design(QStringLiteral("ListView3")).width, 8535);
        // The export caption wraps to two lines; both show in full.
        auto* exportCaption = ctl<ui::Label>("Label5");
        EXPECT_GE(exportCaption->height(), exportCaption->heightForWidth(exportCaption->width())) << kind;

        form_->resize(design * 2);
        for (const auto& [name, geometry] : placed()) {
            const QRect was = atLoad.at(name);
            EXPECT_EQ(geometry, QRect(was.topLeft() * 2, was.size() * 2)) << kind << name.toStdString();
        }
        form_->resize(design / 2);
        form_->resize(design);
        EXPECT_EQ(placed(), atLoad) << kind;
        form_->resize(design.width() * 2, design.height());
        EXPECT_EQ(placed().at(QStringLiteral("ListView3")).height(), atLoad.at(QStringLiteral("ListView3")).height());
        EXPECT_EQ(placed().at(QStringLiteral("ListView3")).width(), atLoad.at(QStringLiteral("ListView3")).width() * 2);
        ui::Windows::unload(form_);
    }
}

TEST_F(ReportWindows, StockReportTotalsAndChoice)
{
    addPurchase(QStringLiteral("纸"), QStringLiteral("供应商"), QStringLiteral("2009-6-15 8:00:00"), QStringLiteral("0.1"), QStringLiteral("2"));
    addPurchase(QStringLiteral("纸"), QStringLiteral("供应商"), QStringLiteral("2009-6-16 0:00:00"), QStringLiteral("5"), QStringLiteral("5"));
    open("repKC", "9");
    EXPECT_TRUE(selected("Option1(3)"));
    EXPECT_EQ(captions(), (QStringList{"序号", "日期", "供应商", "产品", "总金额", "进货量"}));
    ASSERT_EQ(list()->itemCount(), 1);
    EXPECT_EQ(totals(), QStringLiteral("总金额:0.1  总数量:2"));

    Mymode::ReportSelector = QStringLiteral("8");
    ui::Windows::open(QStringLiteral("repKC"));
    EXPECT_TRUE(selected("Option1(3)"));

    ctl<ui::OptionButton>("Option1(2)")->setValue(true);
    EXPECT_EQ(list()->columnTexts(2), QStringList{"0.1"});
    ctl<ui::DatePicker>("text2")->setValue(QDate());
    ctl<ui::OptionButton>("Option1(0)")->setValue(true);   // the stock report checks the dates too
    expectOnly(QStringLiteral("结束日期非法"));
    EXPECT_EQ(totals(), QStringLiteral("总金额:0.1  总数量:2"));
}

TEST_F(ReportWindows, DetailReportFiltersAndExport)
{
    const int c = addCustomer(QStringLiteral("O'Brien 贸易"));
    addProduct(QStringLiteral("笔"), QString(), QStringLiteral("1"), QStringLiteral("1"));
    addProduct(QStringLiteral("纸"), QString(), QStringLiteral("1"), QStringLiteral("1"));
    addOrder(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("7.5"));
    addLine(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("笔"), QStringLiteral("2.5"), QStringLiteral("3"), QStringLiteral("7.5"));
    addLine(c, QStringLiteral("a"), QStringLiteral("2009-6-15 9:00:00"), QStringLiteral("纸"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2"));
    open("repSalMx");
    auto* products = ctl<ui::ComboBox>("product");
    ASSERT_EQ(products->listCount(), 3);
    EXPECT_EQ(products->list(0), QStringLiteral("全部"));
    EXPECT_EQ(products->text(), QString());

    ctl<ui::PictureButton>("command3")->click();
    ui::ListView* lines = list("ListView1");
    ASSERT_EQ(lines->itemCount(), 3);
    EXPECT_EQ(lines->columnCaption(7), QStringLiteral("小计"));
    EXPECT_EQ(lines->text(2, 5), QStringLiteral("  总计:"));
    EXPECT_EQ(lines->text(2, 7), QStringLiteral("9.5"));

    products->setText(QStringLiteral("纸"));
    ctl<ui::TextBox>("KH_KH")->setText(QStringLiteral(" O'Brien "));
    ctl<ui::PictureButton>("command3")->click();
    ASSERT_EQ(lines->itemCount(), 2);
    EXPECT_EQ(lines->text(0, 4), QStringLiteral("纸"));

    DesktopProbe desktop;
    ctl<ui::PictureButton>("Image1")->click();
    ASSERT_EQ(desktop.opened().size(), 1);
    XlsRead book(desktop.opened()[0]);
    ASSERT_EQ(book.status(), FREEXL_OK);
    ASSERT_EQ(book.rows(), 1u);
    EXPECT_EQ(book.text(0, 3), QStringLiteral("纸"));
    EXPECT_EQ(book.text(0, 6), QStringLiteral("2"));
    QFile::remove(desktop.opened()[0]);
}

} // namespace
