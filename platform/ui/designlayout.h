#pragma once
// A window's proportional layout: the design geometry of every control the
// window placed on itself, remembered once, and each control moved and sized
// in proportion to the window's inner size. Scaling always starts from the
// design, so resizing back to the design size restores it exactly.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

namespace ui {

class Form;

class DesignLayout {
public:
    // Remembers the window's inner size and each placed control's geometry.
    void remember(Form* form);
    // Moves and sizes every remembered control by the ratio of the window's
    // inner size to the remembered one. Nothing before remember().
    void scale(Form* form) const;

    struct Geometry {
        double left = 0, top = 0, width = 0, height = 0;   // twips
    };
    // The design geometry of a control by name (tests); zeros when unknown.
    Geometry design(const QString& name) const;

private:
    struct Placed {
        QPointer<QObject> control;   // a widget or a label
        Geometry geometry;
    };
    double width_ = 0;
    double height_ = 0;
    std::vector<Placed> placed_;
};

} // namespace ui
