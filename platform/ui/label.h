#pragma once
// A label: a caption drawn on its container, with no window of its own. A
// window shows dozens of labels; as widgets each would take a place in Qt's
// table of widgets and, once shown, an entry in its accessibility tables,
// tables that keep their largest size after the windows close. So the labels
// of one container are drawn by a single widget lying under the container's
// other controls, which passes them the mouse over them and tells screen
// readers about them.
//
// A label speaks the widget terms its users need: geometry in pixels within
// its container, shown or hidden, font and palette (WindowText colours the
// text), alignment and word wrap.
#include "platform/ui/handlers.h"

#include <QCursor>
#include <QFont>
#include <QFontMetrics>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>

namespace ui {

class LabelLayer;

class Label : public QObject {
    Q_OBJECT
public:
    explicit Label(QWidget* container);
    ~Label() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    QWidget* parentWidget() const;   // the container
    QRect geometry() const { return geometry_; }
    void setGeometry(const QRect& geometry);
    void setGeometry(int x, int y, int width, int height) { setGeometry(QRect(x, y, width, height)); }
    void move(int x, int y) { setGeometry(QRect(QPoint(x, y), geometry_.size())); }
    void resize(int width, int height) { setGeometry(QRect(geometry_.topLeft(), QSize(width, height))); }
    QPoint pos() const { return geometry_.topLeft(); }
    int x() const { return geometry_.x(); }
    int y() const { return geometry_.y(); }
    int width() const { return geometry_.width(); }
    int height() const { return geometry_.height(); }
    QRect contentsRect() const { return QRect(QPoint(0, 0), geometry_.size()); }

    bool isHidden() const { return hidden_; }
    bool isVisible() const;   // not hidden, on a shown container
    void setVisible(bool visible);
    void show() { setVisible(true); }
    void hide() { setVisible(false); }
    bool isEnabled() const;   // not disabled, on an enabled container
    void setEnabled(bool enabled);   // a disabled label shows greyed and takes no clicks
    void raise();             // drawn over the container's other labels

    QFont font() const;       // the container's, with what setFont set
    void setFont(const QFont& font);
    QFontMetrics fontMetrics() const { return QFontMetrics(font()); }
    QPalette palette() const; // likewise
    void setPalette(const QPalette& palette);
    Qt::Alignment alignment() const { return alignment_; }
    void setAlignment(Qt::Alignment alignment);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool wrap);
    int heightForWidth(int width) const;   // the height the caption takes
    QCursor cursor() const { return cursor_; }
    void setCursor(const QCursor& cursor) { cursor_ = cursor; }

    ClickHandler onClick;
    ClickHandler onDblClick;
    MouseHandler onMouseDown;
    MouseHandler onMouseMove;
    MouseHandler onMouseUp;

private:
    friend class LabelLayer;
    void repaint() const;   // its place on the layer
    int textFlags() const;

    QPointer<LabelLayer> layer_;
    QString caption_;
    QRect geometry_;
    bool hidden_ = false;
    bool enabled_ = true;
    QFont font_;
    QPalette palette_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    bool wordWrap_ = true;
    QCursor cursor_;
};

} // namespace ui
