#pragma once
// The two pictures of the skinned-caption tests, drawn by the tests.
#include <QColor>
#include <QImage>
#include <QPainter>

// The caption picture: active artwork (left 0-19, middle tile 21-72, right
// 73-112), the inactive artwork 120 columns further, and the button images
// from column 241 (10 by 8, pressed ones 8 rows lower).
inline QImage captionPicture()
{
    QImage image(320, 46, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    for (int o : {0, 120}) {
        const int shade = o ? 100 : 200;
        p.fillRect(o + 0, 0, 20, 46, QColor(shade, 0, 0));
        p.fillRect(o + 21, 0, 52, 46, QColor(0, shade, 0));
        p.fillRect(o + 73, 0, 40, 46, QColor(0, 0, shade));
    }
    const QColor buttons[4][2] = {{QColor(255, 255, 0), QColor(128, 128, 0)},
                                  {QColor(0, 255, 255), QColor(0, 128, 128)},
                                  {QColor(255, 0, 255), QColor(128, 0, 128)},
                                  {QColor(255, 128, 0), QColor(128, 64, 0)}};
    for (int b = 0; b < 4; ++b) {
        const int column = b == 0 ? 241 : 240 + b * 10;
        p.fillRect(column, 0, 10, 8, buttons[b][0]);
        p.fillRect(column, 8, 10, 8, buttons[b][1]);
    }
    return image;
}

// The border picture: seven 4-pixel tiles; 0 left, 2 bottom-left, 3 bottom, 4 right, 6 bottom-right.
inline QImage borderPicture()
{
    QImage image(28, 4, QImage::Format_RGB32);
    for (int t = 0; t < 7; ++t) QPainter(&image).fillRect(t * 4, 0, 4, 4, QColor(10 * (t + 1), 10 * (t + 1), 10 * (t + 1)));
    return image;
}

