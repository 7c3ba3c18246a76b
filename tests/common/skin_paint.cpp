// The window skin: the pale blue background and the two banners stretched
// across the window, painted afresh on every paint; missing pictures leave
// the background only.
#include "common/skin.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"
#include "tests/support/scratch.h"

#include <QFile>
#include <QImage>

namespace {

class SkinnedProbe : public ui::Form {
public:
    explicit SkinnedProbe(skin::BottomOffset offset) : Form(QStringLiteral("skinProbe")), offset_(offset)
    {
        setSizeTwips(6000, 4500);   // 400 x 300 pixels
    }

protected:
    void Form_Paint() override { skin::paint(this, offset_); }

private:
    skin::BottomOffset offset_;
};

class SkinPaint : public ScratchProgram {
protected:
    QImage paint(skin::BottomOffset offset = skin::BottomOffset::ByBottomPicture, QSize size = {400, 300})
    {
        SkinnedProbe form(offset);
        form.resize(size);
        return form.grab().toImage();
    }

    // A plain picture of one colour, so the banners are easy to find.
    void writePicture(const QString& name, QSize size, QColor colour)
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(path(QStringLiteral("bmp/") + name), "BMP"));
    }

    static QColor at(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    const QColor background{0xEF, 0xF7, 0xFF};
};

TEST_F(SkinPaint, MissingPicturePaintsTheBackgroundOnly)
{
    QFile::remove(path(QStringLiteral("bmp/top.bmp")));
    const QImage image = paint();
    for (const QPoint point : {QPoint(2, 2), QPoint(200, 150), QPoint(398, 290)})
        EXPECT_EQ(at(image, point.x(), point.y()), background) << point.x() << "," << point.y();
}

TEST_F(SkinPaint, BannersStretchAcrossTheInnerWidthAtTheirPlaces)
{
    // top: 10 pixels high, painted 10 + 200 twips (23 pixels) high;
    // bottom: 20 pixels high, placed 20 pixels + 300 twips (40 pixels) above the bottom edge, 44 pixels high.
    writePicture(QStringLiteral("top.bmp"), {50, 10}, Qt::red);
    writePicture(QStringLiteral("bottom.bmp"), {50, 20}, Qt::green);

    for (const QSize size : {QSize(400, 300), QSize(700, 360)}) {
        const QImage image = paint(skin::BottomOffset::ByBottomPicture, size);
        const int w = size.width(), h = size.height();
        EXPECT_EQ(at(image, 1, 1), QColor(Qt::red));
        EXPECT_EQ(at(image, w - 1, 21), QColor(Qt::red));
        EXPECT_EQ(at(image, w / 2, 25), background);
        EXPECT_EQ(at(image, w / 2, h - 42), background);
        EXPECT_EQ(at(image, 1, h - 38), QColor(Qt::green));
        EXPECT_EQ(at(image, w - 1, h - 1), QColor(Qt::green));   // 44 high: it runs past the edge
    }
}

TEST_F(SkinPaint, UnknownCallerWindowPlacesTheBottomBannerByTheTopPicture)
{
    writePicture(QStringLiteral("top.bmp"), {50, 40}, Qt::red);
    writePicture(QStringLiteral("bottom.bmp"), {50, 20}, Qt::green);
    // 40 pixels + 300 twips: the banner starts 60 pixels above the bottom edge.
    const QImage image = paint(skin::BottomOffset::ByTopPicture);
    EXPECT_EQ(at(image, 200, 300 - 62), background);
    EXPECT_EQ(at(image, 200, 300 - 58), QColor(Qt::green));
    EXPECT_EQ(at(image, 200, 300 - 17), QColor(Qt::green));
    EXPECT_EQ(at(image, 200, 300 - 15), background);   // 44 high: ends 16 pixels above the edge
}

TEST_F(SkinPaint, ProgramArtworkIsInstalledAndReadable)
{
    for (const char* name : {"top.bmp", "bottom.bmp", "toolbg.bmp", "ok.bmp", "close.bmp", "clock.bmp", "workmode.ico"})
        EXPECT_FALSE(QImage(path(QStringLiteral("bmp/") + QLatin1String(name))).isNull()) << name;
    const QImage image = paint();
    EXPECT_NE(at(image, 200, 5), background);   // the top banner is there
}

} // namespace
