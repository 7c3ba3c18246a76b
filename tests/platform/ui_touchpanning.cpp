// With touch panning off, scrolled areas that are shown, restyled and closed
// make no pan state and leave none behind.
#include "platform/ui/controls.h"
#include "platform/ui/touchpanning.h"

#include <QApplication>
#include <QPanGesture>
#include <memory>
#include <vector>
#include <gtest/gtest.h>

namespace {

qsizetype panStates()
{
    return qApp->findChildren<QPanGesture*>().size();
}

std::unique_ptr<QWidget> showScrolledWindow()
{
    auto form = std::make_unique<QWidget>();
    auto* notes = new ui::TextArea(form.get());
    notes->setText(QStringLiteral("第一行\n第二行"));
    form->show();
    notes->setBackColor(0x80C0FF);
    QApplication::processEvents();
    return form;
}

TEST(UiTouchPanning, ScrolledAreasMakeNoPanStateOnceItIsOff)
{
    // The run turns it off at its start, as the program does; a second call
    // changes nothing. Only what stays after the first window is counted.
    ui::turnOffTouchPanning();
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(showScrolledWindow());
    const qsizetype before = panStates();
    for (int window = 1; window < 4; ++window) {
        windows.push_back(showScrolledWindow());
        EXPECT_EQ(panStates(), before) << "window " << window;
    }
    windows.clear();
    showScrolledWindow();
    EXPECT_EQ(panStates(), before);
}

} // namespace
