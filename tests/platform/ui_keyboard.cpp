// The keyboard of the windows: picture buttons that Tab reaches, that show the
// focus and that Enter and Space press, named by their tool tip or picture;
// the tab order by place with declared sequences and rows added later; boxes
// that keep their whole text readable.
#include "platform/ui/controlarray.h"
#include "platform/ui/fittext.h"
#include "platform/ui/form.h"
#include "platform/ui/taborder.h"

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Controls placed out of their tab order on purpose: creation order is not
// place order.
class KeyboardWindow : public ui::Form {
public:
    KeyboardWindow() : Form(QStringLiteral("keyboardProbe"))
    {
        setSizeTwips(6000, 4500);
        save = addPictureButton(QStringLiteral("command1"), QStringLiteral("bmp/save.bmp"), 2400, 3600, 735, 330);
        save->onClick = [this] { ++saves; };
        close = addPictureButton(QStringLiteral("command2"), QStringLiteral("bmp/close.bmp"), 3600, 3600, 735, 330);
        close->setToolTip(QStringLiteral("关闭窗口"));
        close->onClick = [this] { ++closes; };
        remarks = addTextArea(QStringLiteral("remarks"), 120, 1200, 4000, 600);
        second = addTextBox(QStringLiteral("second"), 2400, 120, 1500, 285);
        first = addTextBox(QStringLiteral("first"), 120, 135, 1500, 285);
        holder = addPictureButton(QStringLiteral("Image1"), QString(), 0, 0, 600, 300);
        frame = addFrame(QStringLiteral("Frame1"), QStringLiteral("明细"), 120, 2000, 5000, 1400);
        inFrame = addTextBox(QStringLiteral("inFrame"), 120, 240, 1500, 285, frame);
        runLoad();
    }
    ui::PictureButton *save, *close, *holder;
    ui::TextArea* remarks;
    ui::TextBox *first, *second, *inFrame;
    ui::Frame* frame;
    int saves = 0, closes = 0;
};

void showActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

QStringList walk(QWidget* window, int presses, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
        names << QApplication::focusWidget()->objectName();
    }
    return names;
}

QStringList names(const std::vector<QWidget*>& controls)
{
    QStringList shown;
    for (const QWidget* control : controls) shown << control->objectName();
    return shown;
}

TEST(UiKeyboard, TabWalksByPlaceAndReachesThePictureButtons)
{
    KeyboardWindow window;
    showActive(&window);
    window.first->setFocus(Qt::OtherFocusReason);
    // Top to bottom, left to right (the two boxes of the first row differ by a
    // few twips), into the frame, to the buttons; the picture holder without a
    // click handler is left out; then round again.
    EXPECT_EQ(walk(&window, 6), (QStringList{"second", "remarks", "inFrame", "command1", "command2", "first"}));
    EXPECT_EQ(walk(&window, 2, Qt::ShiftModifier), (QStringList{"command2", "command1"}));
    EXPECT_EQ(window.holder->focusPolicy(), Qt::NoFocus);

    // A click with the mouse presses the button but leaves the focus where it was.
    window.first->setFocus(Qt::OtherFocusReason);
    QTest::mouseClick(window.save, Qt::LeftButton);
    EXPECT_EQ(window.saves, 1);
    EXPECT_TRUE(window.first->hasFocus());

    // A button wholly under another is passed over, as the mouse cannot reach it either.
    auto* under = new ui::PictureButton(&window);
    under->setObjectName(QStringLiteral("under"));
    under->setGeometry(window.save->geometry());
    under->onClick = [] {};
    under->takeKeyboardFocusIfClickable();
    under->show();
    window.save->raise();
    EXPECT_FALSE(names(ui::tabOrder(&window)).contains(QStringLiteral("under")));
    under->raise();
    EXPECT_TRUE(names(ui::tabOrder(&window)).contains(QStringLiteral("under")));
    EXPECT_FALSE(names(ui::tabOrder(&window)).contains(QStringLiteral("command1")));
    delete under;

    // Disabled or hidden controls are passed over.
    window.remarks->setEnabled(false);
    window.frame->hide();
    window.second->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(walk(&window, 1), QStringList{"command1"});
}

TEST(UiKeyboard, EnterAndSpacePressTheFocusedPictureAndItShowsTheFocus)
{
    KeyboardWindow window;
    showActive(&window);
    window.first->setFocus(Qt::OtherFocusReason);
    const QImage unfocused = window.save->grab().toImage();
    walk(&window, 4);
    ASSERT_TRUE(window.save->hasFocus());
    QApplication::processEvents();
    const QImage focused = window.save->grab().toImage();
    EXPECT_NE(focused, unfocused);
    // The frame is drawn in the selection colour along the picture's edge.
    const QColor frameColour = window.save->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(focused.pixelColor(1, focused.height() / 2).rgb() == frameColour.rgb() ||
                  focused.pixelColor(1, 1).rgb() == frameColour.rgb(),
              true);

    QTest::keyClick(window.save, Qt::Key_Space);
    QTest::keyClick(window.save, Qt::Key_Return);
    QTest::keyClick(window.save, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window.saves, 3);
    // Other keys do not press it; a disabled button is not pressed.
    QTest::keyClick(window.save, Qt::Key_A);
    QTest::keyClick(window.save, Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(window.saves, 3);
    window.save->setEnabled(false);
    QTest::keyClick(window.save, Qt::Key_Space);
    EXPECT_EQ(window.saves, 3);
}

TEST(UiKeyboard, APictureButtonIsNamedByItsToolTipOrElseByItsPicture)
{
    KeyboardWindow window;
    EXPECT_EQ(window.save->toolTip(), QStringLiteral("保存"));
    EXPECT_EQ(window.save->accessibleName(), QStringLiteral("保存"));
    EXPECT_EQ(window.close->accessibleName(), QStringLiteral("关闭窗口"));
    window.close->setToolTip(QStringLiteral("关闭"));
    EXPECT_EQ(window.close->accessibleName(), QStringLiteral("关闭"));
    // A picture that is no button picture gives no name; a later button picture keeps the tool tip given.
    EXPECT_TRUE(window.holder->accessibleName().isEmpty());
    window.close->setPicture(QStringLiteral("bmp/delete.bmp"));
    EXPECT_EQ(window.close->accessibleName(), QStringLiteral("关闭"));

    // The elements of a control array carry the name of element 0.
    ui::ControlArray<ui::PictureButton> buttons(window.save, QStringLiteral("command1"));
    ui::PictureButton* copy = buttons.load(1, 4000);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->accessibleName(), QStringLiteral("保存"));
}

TEST(UiKeyboard, DeclaredSequencesKeepTheirOrderAndAddedControlsTakeTheirPlace)
{
    KeyboardWindow window;
    // The sequence is walked from the place of its first control in the window.
    ui::setTabOrder({window.inFrame, window.second, window.first});
    EXPECT_EQ(names(ui::tabOrder(&window)),
              (QStringList{"remarks", "inFrame", "second", "first", "command1", "command2"}));

    // A box added later, between the frame and the buttons, is walked there,
    // not after the buttons.
    ui::ControlArray<ui::TextBox> rows(window.inFrame, QStringLiteral("inFrame"));
    ui::TextBox* below = rows.load(1, 240 + 285);
    ASSERT_NE(below, nullptr);
    below->setObjectName(QStringLiteral("below"));
    EXPECT_EQ(names(ui::tabOrder(&window)),
              (QStringList{"remarks", "inFrame", "second", "first", "below", "command1", "command2"}));
}

TEST(UiKeyboard, BoxesKeepTheirWholeTextReadable)
{
    QWidget window;
    ui::TextBox box(&window);
    ui::placeTwips(&box, 0, 0, 1500, 285);
    const double design = box.font().pointSizeF();
    ui::keepTextWhole(&box);
    box.setText(QStringLiteral("北京市海淀区中关村"));
    EXPECT_LT(box.font().pointSizeF(), design);
    EXPECT_TRUE(ui::textFits(&box));
    // Typed text is fitted as well, and a short text is back at the design size.
    box.setText(QString());
    box.setFocus();
    QTest::keyClicks(&box, QStringLiteral("010-65001235-8001-9"));
    EXPECT_TRUE(ui::textFits(&box));
    box.setText(QStringLiteral("张三"));
    EXPECT_DOUBLE_EQ(box.font().pointSizeF(), design);

    // The boxes of a control array fit their texts as element 0 does.
    ui::ControlArray<ui::TextBox> boxes(&box, QStringLiteral("names"));
    ui::TextBox* copy = boxes.load(1, 300);
    ASSERT_NE(copy, nullptr);
    copy->setText(QStringLiteral("北京市海淀区中关村"));
    EXPECT_TRUE(ui::textFits(copy));
    copy->setText(QStringLiteral("李"));
    EXPECT_DOUBLE_EQ(copy->font().pointSizeF(), design);
}

} // namespace
