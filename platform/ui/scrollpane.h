#pragma once
// A band of a container whose controls scroll up and down: a frame with more
// rows of boxes than it has room for shows the rows that fit, and the scroll
// bar, the mouse wheel and moving the focus bring the others into view.
// Controls made in content() keep the container's coordinates: a box placed
// at Top 480 twips in content() sits at Top 480 in the container while the
// band is not scrolled, so the layouts' places stay as they are.
#include <QWidget>

class QScrollBar;

namespace ui {

class ScrollPane : public QWidget {
public:
    // The band spans the container's width from `topTwips` down to
    // `bottomMarginTwips` above its bottom edge, and follows its size.
    ScrollPane(QWidget* container, double topTwips, double bottomMarginTwips);

    // The parent for the controls that scroll.
    QWidget* content() const { return content_; }
    // Takes in the controls made or moved in content() since the last call:
    // the scroll range reaches the lowest shown control.
    void fitContent();
    // Scrolls as little as needed to show a control made in content().
    void ensureVisible(const QWidget* control);
    // How far the band is scrolled, in pixels; 0 shows the top.
    int scrolled() const;
    // Pixels of one step of the wheel and the bar's arrows.
    void setStep(int pixels);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void place();
    void scrollTo(int pixels);

    QWidget* container_;
    double topTwips_;
    double bottomMarginTwips_;
    QWidget* content_;
    QScrollBar* bar_;
    int contentBottom_ = 0;   // the lowest shown control's bottom, in the container's pixels
};

} // namespace ui
