// A window that is not in use gives its drawing buffer back. What it shows
// must not suffer: uncovered or shown again, it draws itself whole, skin,
// pictures and boxes; and a change to one of its controls redraws the whole
// window, not only that control over an empty buffer.
#include "tests/support/scratch.h"

#include "common/mymode.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>
#include <QExposeEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

class DrawingBuffer : public ScratchProgram {
protected:
    void TearDown() override
    {
        ui::Windows::unloadAll();
        ScratchProgram::TearDown();
    }
    // What the window's area on the screen shows once its paints are done.
    static QImage onScreen(ui::Form* window)
    {
        QCoreApplication::processEvents();
        return window->screen()->grabWindow(window->winId()).toImage();
    }
    static void uncover(ui::Form* window)
    {
        QExposeEvent expose(QRegion(window->rect()));
        QCoreApplication::sendEvent(window->windowHandle(), &expose);
    }
    // The pixels of the two pictures that differ, outside `except`.
    static int differing(const QImage& a, const QImage& b, const QRect& except = {})
    {
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (!except.contains(x, y) && a.pixel(x, y) != b.pixel(x, y)) ++count;
        return count;
    }
};

TEST_F(DrawingBuffer, AWindowWithoutItsBufferDrawsItselfWholeAgain)
{
    exec(QStringLiteral("insert into company (company_name, company_tel) values ('华东贸易', '02188886666')"));
    Mymode::CurrentRecordId = scalar(QStringLiteral("select max(id) from company")).toInt();
    ui::Form* card = ui::Windows::open(QStringLiteral("frmCustDetail"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(card));
    const QImage drawn = onScreen(card);
    ASSERT_EQ(drawn.size(), card->size());
    ASSERT_TRUE(card->keepsDrawing());

    card->giveBackDrawing();
    EXPECT_FALSE(card->keepsDrawing());
    EXPECT_TRUE(onScreen(card).isNull()) << "nothing is kept for the window";
    uncover(card);
    const QImage redrawn = onScreen(card);
    EXPECT_TRUE(card->keepsDrawing());
    ASSERT_EQ(redrawn.size(), drawn.size());
    EXPECT_EQ(differing(redrawn, drawn), 0);

    // One box changes while the window has no buffer: all the rest is drawn as before.
    card->giveBackDrawing();
    auto* name = card->control<ui::TextBox>(QStringLiteral("companyname"));
    name->setText(QStringLiteral("西南物流"));
    const QImage changed = onScreen(card);
    ASSERT_EQ(changed.size(), drawn.size());
    const QRect box(name->mapTo(card, QPoint(0, 0)), name->size());
    EXPECT_EQ(differing(changed, drawn, box), 0);
    EXPECT_GT(differing(changed, drawn), 0) << "the box shows its new text";

    // Hidden without a buffer and shown again: drawn whole.
    card->hide();
    card->giveBackDrawing();
    card->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(card));
    const QImage shownAgain = onScreen(card);
    ASSERT_EQ(shownAgain.size(), drawn.size());
    // (The first box takes the focus as the window shows.)
    EXPECT_EQ(differing(shownAgain, changed, box), 0);
}

} // namespace
