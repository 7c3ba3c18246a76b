// The seven-segment display: where the digits and colons of a caption go on
// a picture box, which segments each digit lights, and what an unbound or
// oversized display does.
#include "callerid/mclcd.h"
#include "platform/ui/picturebox.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <set>

using namespace callerid;

namespace {

constexpr quint32 kFore = 0x0000FF;   // red, written &HBBGGRR
constexpr quint32 kBack = 0x000000;

class Lcd : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<QWidget>();
        box = new ui::PictureBox(window.get());
        box->setGeometry(0, 0, 200, 40);
        lcd.NewLCD(box);
        lcd.setBackColor(kBack);
        lcd.setForeColor(kFore);
    }

    bool lit(int x, int y) const { return box->picture().pixelColor(x, y) == QColor(255, 0, 0); }

    // The segments lit for a digit drawn at x (digit height 34, width 19, top 2):
    // each segment is probed at the middle of its middle line.
    std::set<int> segmentsAt(int x) const
    {
        const int y = 2, W = 19, H = 34, h = 17;
        const std::pair<int, int> probes[] = {
            {x + W / 2, y + 1},      {x + W - 2, y + h / 2}, {x + W - 2, y + h + 8}, {x + W / 2, y + H - 1},
            {x + 1, y + h + 8},      {x + 1, y + h / 2},     {x + W / 2, y + h},
        };
        std::set<int> segments;
        for (int s = 0; s < 7; ++s)
            if (lit(probes[s].first, probes[s].second)) segments.insert(s + 1);
        return segments;
    }

    bool blank() const
    {
        const QImage picture = box->picture();
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (picture.pixelColor(x, y) != QColor(0, 0, 0)) return false;
        return true;
    }

    std::unique_ptr<QWidget> window;
    ui::PictureBox* box = nullptr;
    mcLCD lcd;
};

} // namespace

TEST_F(Lcd, ATimeOfDayOnAFortyPixelBox)
{
    lcd.setCaption(QStringLiteral("12:30"));
    EXPECT_EQ(segmentsAt(2), (std::set<int>{2, 3}));
    EXPECT_EQ(segmentsAt(24), (std::set<int>{1, 2, 7, 5, 4}));
    EXPECT_EQ(segmentsAt(65), (std::set<int>{1, 2, 7, 3, 4}));
    EXPECT_EQ(segmentsAt(87), (std::set<int>{1, 2, 3, 4, 5, 6}));
    // The colon: two small boxes whose right edge is x = 55, around the middle.
    EXPECT_TRUE(lit(55, 13));
    EXPECT_TRUE(lit(51, 16));
    EXPECT_TRUE(lit(55, 23));
    EXPECT_TRUE(lit(53, 26));
    EXPECT_FALSE(lit(53, 19));
    EXPECT_FALSE(lit(56, 13));
    // Nothing beyond the last digit.
    for (int x = 87 + 19 + 1; x < 200; ++x) EXPECT_FALSE(lit(x, 19)) << x;

    // The next caption starts at the same place.
    lcd.setCaption(QStringLiteral("7"));
    EXPECT_EQ(segmentsAt(2), (std::set<int>{1, 2, 3}));
    EXPECT_EQ(segmentsAt(24), std::set<int>{});
}

TEST_F(Lcd, EachDigitLightsItsSegments)
{
    const std::set<int> expected[] = {
        {1, 2, 3, 4, 5, 6}, {2, 3}, {1, 2, 4, 5, 7}, {1, 2, 3, 4, 7}, {2, 3, 6, 7},
        {1, 3, 4, 6, 7},    {1, 3, 4, 5, 6, 7}, {1, 2, 3}, {1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 4, 6, 7},
    };
    for (int digit = 0; digit <= 9; ++digit) {
        lcd.setCaption(QString::number(digit));
        EXPECT_EQ(segmentsAt(2), expected[digit]) << digit;
    }
    lcd.setCaption(QStringLiteral("a"));
    EXPECT_EQ(segmentsAt(2), expected[0]);
    lcd.setCaption(QString());
    EXPECT_TRUE(blank());
}

TEST_F(Lcd, KeepsItsDrawingWhenTheWindowRepaints)
{
    window->show();
    lcd.setCaption(QStringLiteral("8"));
    window->grab();
    window->grab();
    EXPECT_EQ(segmentsAt(2).size(), 7u);
    EXPECT_EQ(box->scaleMode(), ui::PictureBox::Pixels);
}

TEST_F(Lcd, UnboundOrOversizedDisplaysDrawSafely)
{
    mcLCD unbound;
    unbound.setBackColor(0xFFFFFF);
    unbound.setForeColor(0);
    unbound.setCaption(QStringLiteral("12:30"));
    unbound.NewLCD(nullptr);
    unbound.setCaption(QStringLiteral("1"));

    // A caption far wider than 16-bit positions reach.
    lcd.setCaption(QString(3000, QLatin1Char('8')) + QStringLiteral(":1"));
    EXPECT_EQ(segmentsAt(2).size(), 7u);

    // A box taller than 16-bit sizes reach.
    auto* tall = new ui::PictureBox(window.get());
    tall->setGeometry(0, 0, 4, 70000);
    mcLCD large;
    large.NewLCD(tall);
    large.setCaption(QStringLiteral("0:8"));

    // A box destroyed under the display leaves it unbound.
    delete box;
    box = nullptr;
    lcd.setCaption(QStringLiteral("1"));
}
