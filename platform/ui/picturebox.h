#pragma once
// A picture box the program draws on: a scale in twips or pixels, lines and
// their box form in the drawing colour, a box's fill by the fill settings,
// clearing to the background colour. With automatic redraw on, the drawing is
// kept and painted again on every repaint; with it off, a repaint after the
// drawing was shown loses it.
#include <QImage>
#include <QWidget>

namespace ui {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum ScaleMode { Twips = 1, Pixels = 3 };
    enum FillStyle { Solid = 0, Transparent = 1 };

    explicit PictureBox(QWidget* parent);

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    double scaleWidth() const;     // inner size in the current scale
    double scaleHeight() const;
    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on) { autoRedraw_ = on; }

    quint32 backColor() const { return backColor_; }
    void setBackColor(quint32 bbggrr);   // also clears the drawing, as a new background does
    quint32 foreColor() const { return foreColor_; }
    void setForeColor(quint32 bbggrr) { foreColor_ = bbggrr; }
    FillStyle fillStyle() const { return fillStyle_; }
    void setFillStyle(FillStyle style) { fillStyle_ = style; }
    quint32 fillColor() const { return fillColor_; }
    void setFillColor(quint32 bbggrr) { fillColor_ = bbggrr; }

    void cls();
    // A line from (x1, y1) to (x2, y2), both ends drawn, in the current scale.
    void line(double x1, double y1, double x2, double y2);
    // The box form: the outline of the rectangle with those corners, filled
    // inside with the fill colour when the fill style is solid.
    void box(double x1, double y1, double x2, double y2);

    // What the box shows now, pixel for pixel.
    QImage picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint toPixels(double x, double y) const;
    void drawn();
    void fitImage() const;

    ScaleMode scaleMode_ = Twips;
    bool autoRedraw_ = false;
    bool shownSinceDrawn_ = true;
    quint32 backColor_ = 0xFFFFFF;
    quint32 foreColor_ = 0x000000;
    FillStyle fillStyle_ = Transparent;
    quint32 fillColor_ = 0x000000;
    mutable QImage image_;   // the drawing, as large as the box
};

// Creates a picture box on `parent` with its name, placed in twips.
PictureBox* addPictureBox(QWidget* parent, const QString& name, double left, double top, double width, double height);

} // namespace ui
