// A fresh database used at once: a service record saved through the window
// with the keyboard and the mouse on the first start's lists, and a type
// added in the list's editor while the service window is open, offered
// there without closing it and losing what was typed.
#include "tests/pipeline/pipelinefixture.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

class FreshLists : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 1), QTime(10, 0)));
        customer = addCustomer(QStringLiteral("华东贸易"));
    }

    static void press(QWidget* widget, int key, const QString& text = QString())
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(widget, &up);
    }
    // Gives the box the focus as a click does, then types the text key by key.
    static void typeKeys(ui::Form* form, const QString& box, const QString& text)
    {
        QWidget* widget = form->findChild<QWidget*>(box);
        ASSERT_TRUE(widget) << box.toStdString();
        widget->setFocus(Qt::MouseFocusReason);
        for (const QChar c : text) press(widget, 0, QString(c));
    }
    static void leftClick(QWidget* widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &event);
        }
    }
    // Brings a window to the front, so that its boxes take the focus as the operator's would.
    static void activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), window);
    }
    static QStringList entries(ui::ComboBox* list)
    {
        QStringList all;
        for (int i = 0; i < list->listCount(); ++i) all << list->list(i);
        return all;
    }

    ui::Form* newService()
    {
        Mymode::CurrentRecordId = customer;
        ui::Form* window = open(QStringLiteral("ServiceAdd"));
        activate(window);
        typeKeys(window, QStringLiteral("service_title"), QStringLiteral("打印机卡纸"));
        typeKeys(window, QStringLiteral("service_connect"), QStringLiteral("张三"));
        return window;
    }

    int customer = 0;
};

} // namespace

TEST_F(FreshLists, AServiceRecordIsSavedOnTheFirstDay)
{
    ui::Form* window = newService();
    auto* types = window->control<ui::ComboBox>(QStringLiteral("service_type"));
    EXPECT_EQ(entries(types), (QStringList{QStringLiteral("咨询"), QStringLiteral("售后维修"), QStringLiteral("投诉"),
                                           QStringLiteral("退换货")}));
    types->setFocus(Qt::TabFocusReason);
    press(types, Qt::Key_Down);
    press(types, Qt::Key_Down);
    EXPECT_EQ(types->text(), QStringLiteral("售后维修"));

    leftClick(window->control<ui::PictureButton>(QStringLiteral("command1")));
    expectOnly(QStringLiteral("服务反馈已成功加入"));
    EXPECT_FALSE(isOpen(QStringLiteral("ServiceAdd")));
    EXPECT_EQ(count(QStringLiteral("select count(*) from service where service_type='售后维修' and "
                                   "service_title='打印机卡纸' and service_connect='张三' and companyid=")
                    + QString::number(customer)),
              1);
}

TEST_F(FreshLists, ATypeAddedWhileTheWindowIsOpenIsOfferedThere)
{
    exec(QStringLiteral("delete from servertype"));   // a shop that emptied the list
    ui::Form* window = newService();
    auto* types = window->control<ui::ComboBox>(QStringLiteral("service_type"));
    EXPECT_EQ(types->listCount(), 0);
    leftClick(window->control<ui::PictureButton>(QStringLiteral("command1")));
    expectOnly(QStringLiteral("服务类型不能为空"));

    // The type is added in its editor, the service window staying open.
    ui::Form* editor = open(QStringLiteral("SetServiceType"));
    activate(editor);
    typeKeys(editor, QStringLiteral("servicetype"), QStringLiteral("上门安装"));
    leftClick(editor->control<ui::PictureButton>(QStringLiteral("command3")));
    expectOnly(QStringLiteral("服务类型添加成功"));
    ui::Windows::unload(editor);

    // Back in the service window: a press on the list offers the new type.
    ASSERT_EQ(ui::Windows::loaded(QStringLiteral("ServiceAdd")), window);
    activate(window);
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(5, 5), types->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(types, &down);
    types->hidePopup();
    EXPECT_EQ(entries(types), QStringList{QStringLiteral("上门安装")});
    EXPECT_EQ(text(window, QStringLiteral("service_title")), QStringLiteral("打印机卡纸"));
    EXPECT_EQ(text(window, QStringLiteral("service_connect")), QStringLiteral("张三"));

    // A second type reaches the list when it takes the focus from the keyboard; the choice stays.
    press(types, Qt::Key_Down);
    EXPECT_EQ(types->text(), QStringLiteral("上门安装"));
    exec(QStringLiteral("insert into servertype (servertype) values ('电话回访')"));
    window->control<ui::TextBox>(QStringLiteral("service_connect"))->setFocus(Qt::MouseFocusReason);
    ASSERT_FALSE(types->hasFocus());
    types->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(types->hasFocus());
    EXPECT_EQ(entries(types), (QStringList{QStringLiteral("上门安装"), QStringLiteral("电话回访")}));
    EXPECT_EQ(types->text(), QStringLiteral("上门安装"));

    leftClick(window->control<ui::PictureButton>(QStringLiteral("command1")));
    expectOnly(QStringLiteral("服务反馈已成功加入"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from service where service_type='上门安装' and service_title='打印机卡纸'")), 1);
}
