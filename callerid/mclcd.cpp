#include "callerid/mclcd.h"

#include "platform/ui/picturebox.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

namespace callerid {

namespace {

std::int16_t clip16(long long value)
{
    return static_cast<std::int16_t>(std::clamp<long long>(value, std::numeric_limits<std::int16_t>::min(),
                                                           std::numeric_limits<std::int16_t>::max()));
}

// The segments each digit lights, in drawing order: 1 top, 2 upper right,
// 3 lower right, 4 bottom, 5 lower left, 6 upper left, 7 middle.
const std::array<std::vector<int>, 10> kDigitSegments = {{
    {1, 2, 3, 4, 5, 6},
    {2, 3},
    {1, 2, 7, 5, 4},
    {1, 2, 7, 3, 4},
    {2, 3, 7, 6},
    {1, 6, 7, 3, 4},
    {1, 6, 7, 3, 4, 5},
    {1, 2, 3},
    {1, 2, 3, 4, 5, 6, 7},
    {1, 2, 3, 4, 6, 7},
}};

} // namespace

void mcLCD::setBackColor(quint32 Color)
{
    if (box_) box_->setBackColor(Color);
}

void mcLCD::setForeColor(quint32 Color)
{
    if (box_) box_->setForeColor(Color);
}

void mcLCD::NewLCD(ui::PictureBox* box)
{
    box_ = box;
    if (!box_) return;
    box_->setScaleMode(ui::PictureBox::Pixels);
    box_->setAutoRedraw(true);
    x_ = 2;
    y_ = 2;
    H_ = clip16(std::llround(box_->scaleHeight() - 6));
    W_ = clip16(H_ / 2 + 2);
}

void mcLCD::setCaption(const QString& Value)
{
    if (!box_) return;
    const std::int16_t start = x_;
    box_->cls();
    for (const QChar character : Value) {
        if (character == QLatin1Char(':')) {
            colon();
            x_ = clip16(static_cast<long long>(x_) + W_);
            continue;
        }
        // A character that is not a digit reads as 0.
        const int digit = character.isDigit() && character.unicode() < 128 ? character.digitValue() : 0;
        DrawDigit(digit);
        x_ = clip16(static_cast<long long>(x_) + W_ + 3);
    }
    x_ = start;
}

void mcLCD::colon()
{
    const int h = H_ / 2;
    const int m = x_ + W_ / 2;
    box_->box(clip16(m - 4), clip16(y_ + h - 6), clip16(m), clip16(y_ + h - 3));
    box_->box(clip16(m - 4), clip16(y_ + h + 4), clip16(m), clip16(y_ + h + 7));
}

void mcLCD::DrawDigit(int digit)
{
    if (digit < 0 || digit > 9) return;
    for (const int segment : kDigitSegments[static_cast<std::size_t>(digit)]) DrawSegment(segment);
}

void mcLCD::line(int x1, int y1, int x2, int y2)
{
    box_->line(clip16(x1), clip16(y1), clip16(x2), clip16(y2));
}

// Each segment is three parallel one-pixel lines, the outer one longest,
// which gives a bevelled bar.
void mcLCD::DrawSegment(int segment)
{
    const int x = x_, y = y_, W = W_, H = H_, h = H_ / 2;
    switch (segment) {
    case 1:
        line(x + 1, y, x + W - 1, y);
        line(x + 2, y + 1, x + W - 2, y + 1);
        line(x + 3, y + 2, x + W - 3, y + 2);
        break;
    case 2:
        line(x + W - 1, y + 1, x + W - 1, y + h - 1);
        line(x + W - 2, y + 2, x + W - 2, y + h);
        line(x + W - 3, y + 3, x + W - 3, y + h - 1);
        break;
    case 3:
        line(x + W - 1, y + h + 2, x + W - 1, y + H);
        line(x + W - 2, y + h + 1, x + W - 2, y + H - 1);
        line(x + W - 3, y + h + 2, x + W - 3, y + H - 2);
        break;
    case 4:
        line(x + 3, y + H - 2, x + W - 3, y + H - 2);
        line(x + 2, y + H - 1, x + W - 2, y + H - 1);
        line(x + 1, y + H, x + W - 1, y + H);
        break;
    case 5:
        line(x, y + h + 2, x, y + H);
        line(x + 1, y + h + 1, x + 1, y + H - 1);
        line(x + 2, y + h + 2, x + 2, y + H - 2);
        break;
    case 6:
        line(x, y + 1, x, y + h - 1);
        line(x + 1, y + 2, x + 1, y + h);
        line(x + 2, y + 3, x + 2, y + h - 1);
        break;
    case 7:
        line(x + 3, y + h - 1, x + W - 3, y + h - 1);
        line(x + 2, y + h, x + W - 2, y + h);
        line(x + 3, y + h + 1, x + W - 3, y + h + 1);
        break;
    default:
        break;
    }
}

} // namespace callerid
