// With touch panning off, a scrolled area that is shown, restyled and closed
// leaves no pan state behind it.
#include "platform/ui/controls.h"
#include "platform/ui/touchpanning.h"

#include <QApplication>
#include <QPanGesture>
#include <gtest/gtest.h>

namespace {

qsizetype panStates()
{
    return qApp->findChildren<QPanGesture*>().size();
}

TEST(UiTouchPanning, ScrolledAreasMakeNoPanStateOnceItIsOff)
{
    ui::turnOffTouchPanning();
    const qsizetype before = panStates();
    for (int window = 0; window < 3; ++window) {
        QWidget form;
        auto* notes = new ui::TextArea(&form);
        notes->setText(QStringLiteral("第一行\n第二行"));
        form.show();
        notes->setBackColor(0x80C0FF);
        QApplication::processEvents();
        EXPECT_EQ(panStates(), before) << "window " << window;
    }
    QApplication::processEvents();
    EXPECT_EQ(panStates(), before);
}

} // namespace
