// Controls: KeyPress before the character arrives (swallow, change, Enter
// forwarding), Change on code-set text, password characters, picture buttons
// that are inert and grey when disabled, list choices, units and colours.
#include "platform/ui/controls.h"
#include "platform/ui/msgbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

void pressKey(QWidget* target, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(UiUnits, TwipsAndBgrColours)
{
    EXPECT_EQ(ui::twipsToPixels(1500), 100);
    EXPECT_EQ(ui::twipsToPixels(22), 1);
    EXPECT_DOUBLE_EQ(ui::pixelsToTwips(44), 660);
    EXPECT_EQ(ui::colorFromBgr(0xFFF7EF), QColor(0xEF, 0xF7, 0xFF));
    EXPECT_EQ(ui::colorFromBgr(0x0000FF), QColor(Qt::red));
}

// Each row: the key the operator presses, what the KeyPress handler makes of
// it, and the text the box holds afterwards (it held "ab").
struct KeyCase {
    const char* name;
    Qt::Key key;
    QString typed;
    int seenByHandler;
    int handlerSetsTo;   // -1: leaves the key as it is
    QString textAfter;
};

class UiTextBoxKeyPress : public ::testing::TestWithParam<KeyCase> {};

TEST_P(UiTextBoxKeyPress, HandlerSeesTheKeyFirstAndDecidesWhatArrives)
{
    const KeyCase& c = GetParam();
    QWidget window;
    ui::TextBox box(&window);
    box.setText(QStringLiteral("ab"));
    int seen = 0;
    box.onKeyPress = [&](int& keyAscii) {
        seen = keyAscii;
        if (c.handlerSetsTo >= 0) keyAscii = c.handlerSetsTo;
    };
    pressKey(&box, c.key, c.typed);
    EXPECT_EQ(seen, c.seenByHandler);
    EXPECT_EQ(box.text(), c.textAfter);

    // The simulated key takes the same way.
    box.setText(QStringLiteral("ab"));
    seen = 0;
    if (c.seenByHandler != 0) {
        box.typeKey(c.seenByHandler);
        EXPECT_EQ(seen, c.seenByHandler);
        EXPECT_EQ(box.text(), c.textAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, UiTextBoxKeyPress, ::testing::Values(
    KeyCase{"plain", Qt::Key_C, QStringLiteral("c"), 'c', -1, QStringLiteral("abc")},
    KeyCase{"swallowed", Qt::Key_1, QStringLiteral("1"), '1', 0, QStringLiteral("ab")},
    KeyCase{"changed", Qt::Key_C, QStringLiteral("c"), 'c', 'X', QStringLiteral("abX")},
    KeyCase{"chinese", Qt::Key_unknown, QStringLiteral("客"), 0x5BA2, -1, QStringLiteral("ab客")},
    KeyCase{"enter", Qt::Key_Return, QStringLiteral("\r"), 13, -1, QStringLiteral("ab")},
    KeyCase{"backspace", Qt::Key_Backspace, QStringLiteral("\b"), 8, -1, QStringLiteral("a")},
    KeyCase{"backspaceSwallowed", Qt::Key_Backspace, QStringLiteral("\b"), 8, 0, QStringLiteral("ab")},
    KeyCase{"arrowHasNoCharacter", Qt::Key_Left, QString(), 0, 0, QStringLiteral("ab")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UiTextBox, EnterForwarderRunsTheButtonAndLeavesOtherKeysAlone)
{
    QWidget window;
    ui::TextBox password(&window);
    ui::PictureButton ok(&window);
    int logins = 0;
    ok.onClick = [&] { ++logins; };
    password.onKeyPress = [&](int& keyAscii) {
        if (keyAscii == 13) ok.click();
    };
    pressKey(&password, Qt::Key_A, QStringLiteral("a"));
    EXPECT_EQ(logins, 0);
    pressKey(&password, Qt::Key_Return, QStringLiteral("\r"));
    pressKey(&password, Qt::Key_Enter, QStringLiteral("\r"));
    EXPECT_EQ(logins, 2);
    EXPECT_EQ(password.text(), QStringLiteral("a"));
}

TEST(UiTextBox, ChangeFiresWhenCodeOrOperatorChangesTheText)
{
    QWidget window;
    ui::TextBox box(&window);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText(QStringLiteral("客户"));
    EXPECT_EQ(changes, 1);
    box.setText(QStringLiteral("客户"));   // the same text is no change
    EXPECT_EQ(changes, 1);
    box.typeKey('x');
    EXPECT_EQ(changes, 2);
    box.setLocked(true);
    box.typeKey('y');
    EXPECT_EQ(box.text(), QStringLiteral("客户x"));
    EXPECT_EQ(changes, 2);
}

TEST(UiTextBox, PasswordBoxShowsItsCharacter)
{
    QWidget window;
    for (QChar echo : {QChar('#'), QChar('*')}) {
        ui::TextBox box(&window);
        box.setPasswordChar(echo);
        box.setText(QStringLiteral("abc"));
        EXPECT_EQ(box.displayText(), QString(3, echo));
        EXPECT_EQ(box.text(), QStringLiteral("abc"));
    }
}

TEST(UiTextBox, LostFocusWhenFocusMovesToAnotherControl)
{
    QWidget window;
    ui::TextBox first(&window), second(&window);
    int lost = 0;
    first.onLostFocus = [&] { ++lost; };
    QFocusEvent toOther(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&first, &toOther);
    QFocusEvent toOtherProgram(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&first, &toOtherProgram);
    EXPECT_EQ(lost, 1);
}

TEST(UiTextBox, GotFocusWhenFocusComesFromAnotherControl)
{
    QWidget window;
    ui::TextBox box(&window);
    int got = 0;
    box.onGotFocus = [&] { ++got; };
    QFocusEvent fromOther(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&box, &fromOther);
    QFocusEvent fromOtherProgram(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&box, &fromOtherProgram);
    EXPECT_EQ(got, 1);
}

QPixmap colouredPicture()
{
    QPixmap picture(30, 10);
    picture.fill(QColor(200, 40, 40));
    return picture;
}

bool isGrey(const QPixmap& pixmap)
{
    const QColor c = pixmap.toImage().pixelColor(5, 5);
    return c.red() == c.green() && c.green() == c.blue();
}

TEST(UiPictureButton, ClickOnReleaseInsideOnly)
{
    QWidget window;
    ui::PictureButton button(&window);
    button.setGeometry(0, 0, 60, 20);
    std::vector<int> downs;
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.onMouseDown = [&](int b, int, double x, double) {
        downs.push_back(b);
        EXPECT_DOUBLE_EQ(x, 150);
    };
    mouse(&button, QEvent::MouseButtonPress, {10, 5});
    mouse(&button, QEvent::MouseButtonRelease, {10, 5});
    mouse(&button, QEvent::MouseButtonPress, {10, 5});
    mouse(&button, QEvent::MouseButtonRelease, {100, 5});   // dragged off the button
    mouse(&button, QEvent::MouseButtonPress, {10, 5}, Qt::RightButton);
    mouse(&button, QEvent::MouseButtonRelease, {10, 5}, Qt::RightButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, (std::vector<int>{ui::LeftButton, ui::LeftButton, ui::RightButton}));
}

TEST(UiPictureButton, DisabledButtonIsInertAndGrey)
{
    QWidget window;
    ui::PictureButton button(&window);
    button.setGeometry(0, 0, 30, 10);
    button.setPicture(colouredPicture());
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    EXPECT_FALSE(isGrey(button.pixmap()));

    button.setEnabled(false);
    EXPECT_TRUE(isGrey(button.pixmap()));
    button.click();
    mouse(&button, QEvent::MouseButtonPress, {5, 5});
    mouse(&button, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(clicks, 0);

    button.setEnabled(true);
    EXPECT_FALSE(isGrey(button.pixmap()));
    button.click();
    EXPECT_EQ(clicks, 1);
}

TEST(UiPictureButton, MissingPictureLeavesItBlank)
{
    QWidget window;
    ui::PictureButton button(&window);
    button.setPicture(QStringLiteral("/nonexistent/ok.bmp"));
    EXPECT_TRUE(button.pixmap().isNull());
    button.setEnabled(false);
    EXPECT_TRUE(button.pixmap().isNull());
}

TEST(UiPictureButton, PictureFillsTheBoxUnlessStretchIsOff)
{
    QWidget window;
    ui::PictureButton toolbar(&window);
    toolbar.setGeometry(0, 0, 33, 17);
    toolbar.setPicture(colouredPicture());
    EXPECT_TRUE(toolbar.stretch());
    EXPECT_EQ(toolbar.size(), QSize(33, 17));

    ui::PictureButton statusIcon(&window);
    statusIcon.setGeometry(40, 0, 33, 17);
    statusIcon.setStretch(false);
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    statusIcon.setPicture(icon);
    EXPECT_EQ(statusIcon.geometry(), QRect(40, 0, 16, 16)) << "the icon keeps its size and covers nothing beside it";
    statusIcon.setEnabled(false);
    EXPECT_EQ(statusIcon.size(), QSize(16, 16));
}

TEST(UiComboBox, DropDownIsAsWideAsItsLongestEntry)
{
    QWidget window;
    ui::ComboBox box(&window, ui::ComboBox::Editable);
    box.setGeometry(0, 0, 49, 20);
    for (const char* entry : {"包含", "从...开始", "以...结束"}) box.addItem(QString::fromUtf8(entry));
    window.show();
    static_cast<QComboBox&>(box).showPopup();
    const int longest = box.view()->fontMetrics().horizontalAdvance(QString::fromUtf8("以...结束"));
    EXPECT_GT(box.view()->width(), longest);
    box.hidePopup();
}

TEST(UiComboBox, PickOnlyBoxSelectsEntriesAndReportsEachChoice)
{
    QWidget window;
    ui::ComboBox box(&window, ui::ComboBox::PickOnly);
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    for (const char* entry : {"工作站", "服务器", "单机"}) box.addItem(QString::fromUtf8(entry));
    EXPECT_EQ(box.listIndex(), -1);   // filling the list chooses nothing
    EXPECT_EQ(box.text(), QString());

    box.setText(QStringLiteral("服务器"));
    EXPECT_EQ(box.listIndex(), 1);
    box.setText(QStringLiteral("无此项"));   // not an entry: the choice stays
    EXPECT_EQ(box.text(), QStringLiteral("服务器"));
    box.setListIndex(2);
    box.pick(2);   // the operator chooses the chosen entry again
    box.pick(7);   // no such entry
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(box.list(2), QStringLiteral("单机"));
    EXPECT_EQ(box.listCount(), 3);
}

TEST(UiComboBox, EditableBoxKeepsTheOperatorsTextAndAddsNoEntries)
{
    QWidget window;
    ui::ComboBox box(&window, ui::ComboBox::Editable);
    box.addItem(QStringLiteral("北京市"));
    EXPECT_EQ(box.listIndex(), -1);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.setText(QStringLiteral("北"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.text(), QStringLiteral("北"));
    pressKey(&box, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(box.listCount(), 1);
    EXPECT_EQ(box.text(), QStringLiteral("北"));
}

TEST(UiCheckAndOption, ClickFiresOnChangeByCodeAndOptionsExcludeEachOther)
{
    QWidget window;
    ui::CheckBox check(&window);
    int checkClicks = 0;
    check.onClick = [&] { ++checkClicks; };
    check.setValue(1);
    check.setValue(1);
    EXPECT_EQ(check.value(), 1);
    EXPECT_EQ(checkClicks, 1);

    ui::OptionButton first(&window), second(&window);
    int secondClicks = 0;
    second.onClick = [&] { ++secondClicks; };
    first.setValue(true);
    second.setValue(true);
    EXPECT_FALSE(first.value());
    EXPECT_EQ(secondClicks, 1);
}

TEST(UiTimer, ZeroIntervalKeepsItEnabledButSilent)
{
    ui::Timer timer(nullptr);
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.setInterval(0);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.isEnabled());
    timer.fire();
    EXPECT_EQ(ticks, 1);
    timer.setEnabled(false);
    EXPECT_FALSE(timer.isEnabled());
}

} // namespace

// An exception no handler caught is shown, and the program goes on.
TEST(UiLastGuard, FailureInAHandlerIsShownAndTheEventEnds)
{
    ui::ScriptedMessages messages;
    ui::CommandButton button(nullptr);
    int after = 0;
    button.onClick = [] { throw std::runtime_error("boom"); };
    button.click();
    button.onClick = [&] { ++after; };
    button.click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("程序出错，本次操作未完成：boom"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(after, 1);
}
