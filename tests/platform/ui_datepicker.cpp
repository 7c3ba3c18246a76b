// The date picker: a date typed with the keyboard, year included, whatever
// the operator did to reach the box; the arrow keys still step the date; its
// calendar speaks Chinese.
#include "platform/ui/datepicker.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DatePickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_ = std::make_unique<QWidget>();
        host_->resize(300, 100);
        before_ = new QLineEdit(host_.get());
        before_->setGeometry(0, 0, 100, 24);
        picker_ = new ui::DatePicker(host_.get());
        picker_->setGeometry(0, 40, 120, 24);
        picker_->setValue(QDate(2026, 12, 9));
        after_ = new QLineEdit(host_.get());
        after_->setGeometry(0, 70, 100, 24);
        host_->show();
        QApplication::setActiveWindow(host_.get());
    }

    QLineEdit* editor() { return picker_->findChild<QLineEdit*>(); }

    std::unique_ptr<QWidget> host_;
    QLineEdit* before_ = nullptr;
    QLineEdit* after_ = nullptr;
    ui::DatePicker* picker_ = nullptr;
};

TEST_F(DatePickerTest, TypedDateSetsTheYear)
{
    // Reached with Tab.
    before_->setFocus();
    QTest::keyClick(before_, Qt::Key_Tab);
    ASSERT_TRUE(picker_->hasFocus());
    QTest::keyClicks(picker_, QStringLiteral("2024-1-1"));
    EXPECT_EQ(picker_->value(), QDate(2024, 1, 1)) << editor()->text().toStdString();

    // Clicked into, at the start, in the middle and at the end of the text.
    for (int at : {2, 30, 110}) {
        picker_->setValue(QDate(2026, 12, 9));
        before_->setFocus();
        QTest::mouseClick(editor(), Qt::LeftButton, Qt::NoModifier, QPoint(at, 12));
        QTest::keyClicks(picker_, QStringLiteral("2024-1-1"));
        EXPECT_EQ(picker_->value(), QDate(2024, 1, 1)) << at << " " << editor()->text().toStdString();
    }

    // Other separators, a two-digit day, a mistyped digit taken back.
    QTest::keyClick(picker_, Qt::Key_Tab);
    picker_->setFocus();
    QTest::keyClicks(picker_, QStringLiteral("2023/11/23"));
    QTest::keyClick(picker_, Qt::Key_Backspace);
    QTest::keyClick(picker_, Qt::Key_8);
    EXPECT_EQ(picker_->value(), QDate(2023, 11, 28));
    EXPECT_EQ(editor()->text(), QStringLiteral("2023-11-28"));

    QTest::keyClick(picker_, Qt::Key_Tab);
    EXPECT_EQ(picker_->value(), QDate(2023, 11, 28));
    picker_->setFocus();

    // An unfinished or impossible date leaves the date as it was when Tab leaves the box.
    for (const char* typed : {"2025-2", "2025-2-30"}) {
        QTest::keyClicks(picker_, QString::fromLatin1(typed));
        QTest::keyClick(picker_, Qt::Key_Tab);
        EXPECT_TRUE(after_->hasFocus()) << typed;
        EXPECT_EQ(picker_->value(), QDate(2023, 11, 28)) << typed;
        EXPECT_EQ(editor()->text(), QStringLiteral("2023-11-28")) << typed;
        picker_->setFocus();
    }
}

TEST_F(DatePickerTest, ArrowsStepThePartUnderTheCursor)
{
    before_->setFocus();
    QTest::keyClick(before_, Qt::Key_Tab);
    QTest::keyClick(picker_, Qt::Key_Up);
    EXPECT_EQ(picker_->value(), QDate(2027, 12, 9));
    QTest::keyClick(picker_, Qt::Key_End);
    QTest::keyClick(picker_, Qt::Key_Down);
    EXPECT_EQ(picker_->value(), QDate(2027, 12, 8));

    // After a typed date the arrows step from it.
    QTest::keyClicks(picker_, QStringLiteral("2024-1-1"));
    QTest::keyClick(picker_, Qt::Key_Up);
    EXPECT_EQ(picker_->value(), QDate(2024, 1, 2));
    QTest::keyClick(picker_, Qt::Key_Home);
    QTest::keyClick(picker_, Qt::Key_Down);
    EXPECT_EQ(picker_->value(), QDate(2023, 1, 2));
}

// The program's locale is Chinese: the calendar that drops down from the
// box's button names its month and its days of the week in Chinese.
TEST_F(DatePickerTest, TheCalendarNamesMonthAndDaysInChinese)
{
    // The drop-down button at the right end of the box.
    QTest::mouseClick(picker_, Qt::LeftButton, Qt::NoModifier, QPoint(picker_->width() - 5, picker_->height() / 2));
    QCalendarWidget* calendar = picker_->calendarWidget();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"))->text(), QStringLiteral("十二月"));
    const QAbstractItemModel* days = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"))->model();
    QStringList header;
    for (int column = 0; column < days->columnCount(); ++column)
        if (const QString day = days->index(0, column).data().toString(); !day.isEmpty()) header << day;
    EXPECT_EQ(header.join(QLatin1Char(' ')), QStringLiteral("周日 周一 周二 周三 周四 周五 周六"));
    QTest::keyClick(calendar, Qt::Key_Escape);
}

} // namespace
