#include "platform/ui/picturebox.h"

#include "platform/ui/controls.h"

#include <QPainter>
#include <cmath>

namespace ui {

namespace {

// Pixel coordinates stay far inside what the painter can take.
int clampPixel(double value)
{
    constexpr double limit = 1 << 20;
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}

} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent), image_(1, 1, QImage::Format_RGB32)
{
    image_.fill(colorFromBgr(backColor_));
}

double PictureBox::scaleWidth() const
{
    return scaleMode_ == Pixels ? width() : pixelsToTwips(width());
}

double PictureBox::scaleHeight() const
{
    return scaleMode_ == Pixels ? height() : pixelsToTwips(height());
}

void PictureBox::setBackColor(quint32 bbggrr)
{
    backColor_ = bbggrr;
    cls();
}

void PictureBox::cls()
{
    fitImage();
    image_.fill(colorFromBgr(backColor_));
    drawn();
}

QPoint PictureBox::toPixels(double x, double y) const
{
    if (scaleMode_ == Twips) return {clampPixel(x / 15.0), clampPixel(y / 15.0)};
    return {clampPixel(x), clampPixel(y)};
}

void PictureBox::line(double x1, double y1, double x2, double y2)
{
    fitImage();
    QPainter painter(&image_);
    painter.setPen(QPen(colorFromBgr(foreColor_), 0));
    painter.drawLine(toPixels(x1, y1), toPixels(x2, y2));
    drawn();
}

void PictureBox::box(double x1, double y1, double x2, double y2)
{
    const QRect corners = QRect(toPixels(x1, y1), toPixels(x2, y2)).normalized();
    fitImage();
    QPainter painter(&image_);
    if (fillStyle_ == Solid && corners.width() > 2 && corners.height() > 2)
        painter.fillRect(corners.adjusted(1, 1, -1, -1), colorFromBgr(fillColor_));
    painter.setPen(QPen(colorFromBgr(foreColor_), 0));
    painter.drawRect(corners.adjusted(0, 0, -1, -1));
    drawn();
}

void PictureBox::drawn()
{
    shownSinceDrawn_ = false;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    // Without automatic redraw the drawing lives on the screen only: once it
    // has been shown, the next repaint paints the background alone.
    fitImage();
    if (!autoRedraw_ && shownSinceDrawn_) image_.fill(colorFromBgr(backColor_));
    shownSinceDrawn_ = true;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

// The drawing follows the box's size, keeping what fits.
void PictureBox::fitImage() const
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (image_.size() == size) return;
    QImage resized(size, QImage::Format_RGB32);
    resized.fill(colorFromBgr(backColor_));
    QPainter(&resized).drawImage(0, 0, image_);
    image_ = resized;
}

QImage PictureBox::picture() const
{
    fitImage();
    return image_;
}

PictureBox* addPictureBox(QWidget* parent, const QString& name, double left, double top, double width, double height)
{
    auto* box = new PictureBox(parent);
    box->setObjectName(name);
    placeTwips(box, left, top, width, height);
    box->show();
    return box;
}

} // namespace ui
