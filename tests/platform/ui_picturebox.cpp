// The picture box: scale, the box form with and without fill, and whether a
// drawing survives a repaint.
#include "platform/ui/picturebox.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QColor kBlue(0, 0, 255);     // &HFF0000
const QColor kGreen(0, 255, 0);    // &H00FF00
const QColor kWhite(255, 255, 255);

} // namespace

TEST(PictureBox, BoxesLinesAndScale)
{
    auto window = std::make_unique<QWidget>();
    ui::PictureBox* box = ui::addPictureBox(window.get(), QStringLiteral("Picture1"), 0, 0, 600, 300);
    EXPECT_EQ(box->scaleHeight(), 300);   // twips by default
    box->setScaleMode(ui::PictureBox::Pixels);
    EXPECT_EQ(box->scaleWidth(), 40);
    EXPECT_EQ(box->scaleHeight(), 20);

    box->setBackColor(0xFFFFFF);
    box->setForeColor(0xFF0000);
    box->box(2, 2, 8, 6);
    QImage picture = box->picture();
    EXPECT_EQ(picture.pixelColor(2, 2), kBlue);
    EXPECT_EQ(picture.pixelColor(8, 6), kBlue);
    EXPECT_EQ(picture.pixelColor(9, 6), kWhite);
    EXPECT_EQ(picture.pixelColor(5, 4), kWhite);   // not filled

    box->setFillStyle(ui::PictureBox::Solid);
    box->setFillColor(0x00FF00);
    box->box(20, 2, 26, 6);
    picture = box->picture();
    EXPECT_EQ(picture.pixelColor(23, 4), kGreen);
    EXPECT_EQ(picture.pixelColor(20, 4), kBlue);

    box->line(0, 15, 39, 15);
    EXPECT_EQ(box->picture().pixelColor(39, 15), kBlue);
    box->line(-100000, 1e12, 1e12, -5);   // far outside: drawn clipped, no failure
    box->cls();
    EXPECT_EQ(box->picture().pixelColor(2, 2), kWhite);
}

TEST(PictureBox, ADrawingSurvivesRepaintsOnlyWithAutomaticRedraw)
{
    auto window = std::make_unique<QWidget>();
    window->resize(100, 100);
    ui::PictureBox* box = ui::addPictureBox(window.get(), QStringLiteral("Picture1"), 0, 0, 600, 300);
    window->show();
    box->setScaleMode(ui::PictureBox::Pixels);
    box->setForeColor(0xFF0000);

    box->line(1, 1, 10, 1);
    window->grab();   // shown once
    window->grab();   // a repaint
    EXPECT_EQ(box->picture().pixelColor(5, 1), kWhite);

    box->setAutoRedraw(true);
    box->line(1, 1, 10, 1);
    window->grab();
    window->grab();
    EXPECT_EQ(box->picture().pixelColor(5, 1), kBlue);
}
