#include "chrome/cmemdc.h"
#include "chrometest.h"

#include <QPainter>

using namespace chrome;

TEST_F(ChromeTest, SurfacesOnlyGrow)
{
    const int dcs = fake.gdi().liveDCs(), bitmaps = fake.gdi().liveBitmaps();
    {
        cMemDC surface;
        EXPECT_EQ(surface.hdc(), 0);
        surface.setWidth(100);
        surface.setWidth(50);
        EXPECT_EQ(surface.Width(), 100);

        // Width first on a new surface: a bitmap of height 0 is still a surface.
        cMemDC fresh;
        fresh.setWidth(30);
        EXPECT_NE(fresh.hdc(), 0);
        EXPECT_EQ(fresh.Width(), 30);
        EXPECT_EQ(fresh.Height(), 0);
        fresh.setHeight(20);
        EXPECT_EQ(fresh.Width(), 30);
        EXPECT_EQ(fresh.Height(), 20);
        fresh.setHeight(10);
        EXPECT_EQ(fresh.Height(), 20);
    }
    // Nothing of the surfaces is left.
    EXPECT_EQ(fake.gdi().liveDCs(), dcs);
    EXPECT_EQ(fake.gdi().liveBitmaps(), bitmaps);
}

TEST_F(ChromeTest, APictureIsCopiedIntoAGrownSurface)
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(QColor(10, 200, 30));
    QPainter(&image).fillRect(QRect(5, 5, 10, 10), QColor(250, 0, 0));
    const int dcs = fake.gdi().liveDCs();
    {
        StdPicture picture(image);
        cMemDC surface;
        surface.setWidth(100);
        surface.setHeight(10);
        surface.CreateFromPicture(picture);
        EXPECT_EQ(surface.Width(), 100);
        EXPECT_EQ(surface.Height(), 20);
        EXPECT_EQ(GetPixel(surface.hdc(), 0, 0), RGB(10, 200, 30));
        EXPECT_EQ(GetPixel(surface.hdc(), 39, 19), RGB(10, 200, 30));
        EXPECT_EQ(GetPixel(surface.hdc(), 7, 7), RGB(250, 0, 0));
        EXPECT_NE(GetPixel(surface.hdc(), 40, 0), RGB(10, 200, 30));
        // The picture itself can still be selected elsewhere: it was given back.
        const HDC other = CreateCompatibleDC(0);
        EXPECT_NE(SelectObject(other, picture.Handle()), 0);
        DeleteDC(other);
    }
    EXPECT_EQ(fake.gdi().liveDCs(), dcs);
}

TEST_F(ChromeTest, AFailedSelectionLeavesNoSurface)
{
    const int dcs = fake.gdi().liveDCs(), bitmaps = fake.gdi().liveBitmaps();
    cMemDC surface;
    fake.failSelectObject(true);
    surface.setWidth(64);
    fake.failSelectObject(false);
    EXPECT_EQ(surface.Width(), 0);
    EXPECT_EQ(surface.Height(), 0);
    EXPECT_EQ(surface.hdc(), 0);
    EXPECT_EQ(fake.gdi().liveDCs(), dcs);
    EXPECT_EQ(fake.gdi().liveBitmaps(), bitmaps);
}
