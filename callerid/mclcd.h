#pragma once
// A row of seven-segment digits with colons, like a telephone set's display,
// drawn on a picture box. Unbound until NewLCD; without a box nothing is drawn.
#include <QPointer>
#include <QString>
#include <cstdint>

namespace ui { class PictureBox; }

namespace callerid {

class mcLCD {
public:
    void setBackColor(quint32 Color);
    void setCaption(const QString& Value);
    void setForeColor(quint32 Color);
    // Binds the picture box: pixel scale, automatic redraw, digits as high as
    // the box less 6 pixels, starting at (2, 2).
    void NewLCD(ui::PictureBox* box);

private:
    void DrawDigit(int digit);
    void DrawSegment(int segment);
    void colon();
    void line(int x1, int y1, int x2, int y2);

    QPointer<ui::PictureBox> box_;
    // Positions and sizes are 16-bit pixels; a value beyond that range is clipped.
    std::int16_t x_ = 0;
    std::int16_t y_ = 0;
    std::int16_t W_ = 0;
    std::int16_t H_ = 0;
};

} // namespace callerid
