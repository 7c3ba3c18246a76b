// Esc as the operator presses it: it closes the reports, analyses, pickers
// and notices from whatever control has the focus, picks nothing on the way
// out, leaves the entry windows open with what was typed, and inside an open
// list, calendar or grid edit closes only that.
#include "tests/support/scratch.h"

#include "common/mymode.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/datagrid.h"
#include "platform/ui/datepicker.h"
#include "platform/ui/taborder.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPointer>
#include <QTest>
#include <functional>

namespace {

class Escape : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        exec(QStringLiteral("insert into company (company_name,company_address,KH_CZZ,company_QK,company_zje,company_Zsl) "
                            "values ('星光文具店','北京路1号','system',0,0,0)"));
        exec(QStringLiteral("insert into product (product,Product_no,price,dw,KCL) values ('铅笔','A10',2.5,'个',10)"));
        Mymode::CurrentRecordId = scalar(QStringLiteral("select id from company")).toInt();
        // The customer list the printouts read, as the main window stores it when it starts.
        Mymode::CustListSql = QStringLiteral("select * from company order by id desc");
    }
    void TearDown() override
    {
        ui::Windows::unloadAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ScratchProgram::TearDown();
    }

    // The window opened and made the one the operator works in.
    static ui::Form* openActive(const QString& kind)
    {
        ui::Form* window = ui::Windows::open(kind);
        if (!window) return nullptr;
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << kind.toStdString();
        return window;
    }
    static void pressEscape()
    {
        QWidget* target = QApplication::activePopupWidget();
        if (!target) target = QApplication::focusWidget();
        // Without a control that has the focus the key goes to the window.
        if (!target) target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "no window is active";
        QTest::keyClick(target, Qt::Key_Escape);
    }
    static bool isLoaded(const QPointer<ui::Form>& window)
    {
        if (!window) return false;
        for (ui::Form* form : ui::Windows::all())
            if (form == window) return true;
        return false;
    }
    // Key by key into the control that has the focus.
    static void type(const QString& text)
    {
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
};

// The windows that only show or pick: the reports and analyses, the two
// printouts' previews, the two pickers, the about box, the reminders, the
// unknown-caller notice and the message balance.
const char* const kClosingKinds[] = {"AnalySalesGc", "AnalySalesQs", "repSalMx", "repsal",   "repKC",
                                     "DataReport1",  "DataReport2",  "frmSelectKH", "productmgr", "frmAbout",
                                     "sysalert",     "GtNewNo",      "SMSCZ"};

TEST_F(Escape, ClosesTheShowingAndPickingWindowsFromEveryControlOfThem)
{
    for (const char* kind : kClosingKinds) {
        const QString name = QString::fromLatin1(kind);
        ui::Form* first = openActive(name);
        ASSERT_NE(first, nullptr) << kind;
        // Every control Tab reaches, and the window itself when nothing has the focus.
        const int controls = static_cast<int>(ui::tabOrder(first).size());
        ui::Windows::unload(first);
        for (int i = 0; i <= controls; ++i) {
            QPointer<ui::Form> window = openActive(name);
            ASSERT_NE(window, nullptr) << kind;
            const std::vector<QWidget*> order = ui::tabOrder(window);
            ASSERT_EQ(static_cast<int>(order.size()), controls) << kind;
            std::string where = "the window";
            if (i < controls) {
                order[static_cast<size_t>(i)]->setFocus(Qt::TabFocusReason);
                const QWidget* control = order[static_cast<size_t>(i)];
                where = (control->objectName().isEmpty() ? QString::fromLatin1(control->metaObject()->className())
                                                          : control->objectName())
                            .toStdString();
            } else if (QWidget* focus = window->focusWidget()) {
                focus->clearFocus();
                window->setFocus(Qt::OtherFocusReason);
            }
            pressEscape();
            EXPECT_FALSE(isLoaded(window)) << kind << " stays open after Esc in " << where;
            if (isLoaded(window)) ui::Windows::unload(window);
        }
        EXPECT_TRUE(messages.shown().empty()) << kind;
        messages.clear();
    }
}

// Opened from an order's customer button and a line's product button, the
// pickers close on Esc and write nothing into the order.
TEST_F(Escape, APickerClosedByEscPicksNothing)
{
    ui::Form* order = openActive(QStringLiteral("SalesAdd"));
    ASSERT_NE(order, nullptr);
    ui::TextBox* customerName = order->control<ui::TextBox>(QStringLiteral("CustName"));
    ui::TextBox* customerId = order->control<ui::TextBox>(QStringLiteral("KH_ID"));
    customerName->setText(QString());
    customerId->setText(QString());

    struct Pick {
        const char* button;
        int line;   // -1: a button of the window, not of a line
        const char* picker;
    };
    for (const Pick& pick : {Pick{"command5", -1, "frmSelectKH"}, Pick{"command3", 0, "productmgr"}}) {
        QWidget* button = pick.line < 0 ? order->findChild<QWidget*>(QString::fromLatin1(pick.button))
                                        : ui::findElement(order, QString::fromLatin1(pick.button), pick.line);
        ASSERT_NE(button, nullptr) << pick.button;
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Space);
        QPointer<ui::Form> picker = ui::Windows::loaded(QString::fromLatin1(pick.picker));
        ASSERT_NE(picker, nullptr) << pick.picker;
        picker->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(picker));
        // On the list's first row, which 确定 would take.
        ui::DataGrid* list = picker->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
        ASSERT_GT(list->rowCount(), 0) << pick.picker;
        list->setFocus(Qt::TabFocusReason);
        pressEscape();
        EXPECT_FALSE(isLoaded(picker)) << pick.picker;
    }
    EXPECT_EQ(customerName->text(), QString());
    EXPECT_EQ(customerId->text(), QString());
    for (const char* box : {"product", "description", "Price", "num"})
        EXPECT_EQ(qobject_cast<ui::TextBox*>(ui::findElement(order, QString::fromLatin1(box), 0))->text(), QString()) << box;
    EXPECT_EQ(ui::findElement(order, QStringLiteral("product"), 1), nullptr);
    EXPECT_TRUE(isLoaded(order));
}

// Record windows close by their buttons only: Esc in a box with typing keeps
// the window and the typing. The product list keeps a new product half typed.
TEST_F(Escape, LeavesEntryWindowsOpenWithTheirTyping)
{
    struct Entry {
        const char* kind;
        const char* box;
    };
    for (const Entry& entry : {Entry{"frmCustAdd", "companyname"}, Entry{"frmAddContect", "descript"},
                               Entry{"ActionAdd", "Action_Discription"}, Entry{"SalesAdd", "sales_connect"},
                               Entry{"systx", "alertpl"}, Entry{"SMSsend", "text1"}, Entry{"productmgr", "ProductDw"}}) {
        QPointer<ui::Form> window = openActive(QString::fromLatin1(entry.kind));
        ASSERT_NE(window, nullptr) << entry.kind;
        auto* box = window->findChild<QWidget*>(QString::fromLatin1(entry.box));
        ASSERT_NE(box, nullptr) << entry.kind << " " << entry.box;
        box->setFocus(Qt::TabFocusReason);
        type(QStringLiteral("盒"));
        pressEscape();
        ASSERT_TRUE(isLoaded(window)) << entry.kind;
        EXPECT_TRUE(window->isVisible()) << entry.kind;
        const QString text = box->property("text").isValid() ? box->property("text").toString()
                                                              : box->property("plainText").toString();
        EXPECT_TRUE(text.contains(QStringLiteral("盒"))) << entry.kind << " " << entry.box << ": " << text.toStdString();
        ui::Windows::unload(window);
    }
    // The product list's name box also takes the searches: a name alone is no
    // new product, and Esc closes the list.
    QPointer<ui::Form> products = openActive(QStringLiteral("productmgr"));
    products->control<ui::TextBox>(QStringLiteral("product"))->setFocus(Qt::TabFocusReason);
    type(QStringLiteral("铅"));
    pressEscape();
    EXPECT_FALSE(isLoaded(products));
    EXPECT_TRUE(messages.shown().empty());
}

// Esc in an open drop-down list, an open calendar or an in-place grid edit
// closes that and leaves the window; the next Esc closes the window.
TEST_F(Escape, InsideAnOpenListCalendarOrGridEditClosesOnlyThat)
{
    struct Popup {
        const char* kind;
        const char* control;
        std::function<void(QWidget*)> open;
        std::function<bool(QWidget*)> isOpen;
    };
    const Popup popups[] = {
        {"repSalMx", "product", [](QWidget* c) { QTest::keyClick(c, Qt::Key_F4); },
         [](QWidget*) { return QApplication::activePopupWidget() != nullptr; }},
        // A click on the calendar's drop-down button.
        {"repKC", "text1", [](QWidget* c) { QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(c->width() - 4, c->height() / 2)); },
         [](QWidget* c) {
             auto* calendar = qobject_cast<ui::DatePicker*>(c)->calendarWidget();
             return calendar && calendar->isVisible();
         }},
        {"productmgr", "DataGrid1",
         [](QWidget* c) {
             auto* grid = qobject_cast<ui::DataGrid*>(c);
             grid->setCurrentIndex(grid->model()->index(0, 1));
             QTest::keyClick(grid, Qt::Key_F2);
             type(QStringLiteral("钢笔"));
         },
         // The editor has the focus inside the grid.
         [](QWidget* c) {
             QWidget* focus = QApplication::focusWidget();
             return focus && focus != c && c->isAncestorOf(focus);
         }},
    };
    for (const Popup& popup : popups) {
        QPointer<ui::Form> window = openActive(QString::fromLatin1(popup.kind));
        ASSERT_NE(window, nullptr) << popup.kind;
        QWidget* control = window->findChild<QWidget*>(QString::fromLatin1(popup.control));
        ASSERT_NE(control, nullptr) << popup.kind << " " << popup.control;
        control->setFocus(Qt::TabFocusReason);
        popup.open(control);
        ASSERT_TRUE(popup.isOpen(control)) << popup.kind << " " << popup.control;
        pressEscape();
        EXPECT_FALSE(popup.isOpen(control)) << popup.kind << " " << popup.control;
        ASSERT_TRUE(isLoaded(window)) << popup.kind << " " << popup.control;
        pressEscape();
        EXPECT_FALSE(isLoaded(window)) << popup.kind << " after the second Esc";
    }
    // The grid edit was undone, not written.
    EXPECT_EQ(scalar(QStringLiteral("select group_concat(product) from product")), QStringLiteral("铅笔"));
}

} // namespace
