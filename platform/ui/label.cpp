#include "platform/ui/label.h"

#include "platform/ui/keypress.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace ui {

// The widget that draws the labels of one container. It covers the
// container and lies under its other controls; its mask is the labels'
// area, so elsewhere the mouse reaches the container itself.
class LabelLayer : public QWidget {
    Q_OBJECT
public:
    // The container's layer, made with its first label.
    static LabelLayer* of(QWidget* container)
    {
        if (auto* made = container->findChild<LabelLayer*>(QString(), Qt::FindDirectChildrenOnly)) return made;
        return new LabelLayer(container);
    }

    const std::vector<Label*>& labels() const { return labels_; }
    void add(Label* label) { labels_.push_back(label); }
    void remove(Label* label)
    {
        forget(label);
        reshape();
    }
    void toTop(Label* label)
    {
        forget(label);
        add(label);
        reshape();
    }

    // The mask follows the shown labels; nothing shown, nothing drawn.
    void reshape()
    {
        QRegion area;
        for (const Label* label : labels_)
            if (!label->isHidden()) area += label->geometry();
        if (area.isEmpty()) {
            hide();
            return;
        }
        setMask(area);
        show();
        update();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize) resize(parentWidget()->size());
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        for (const Label* label : labels_) {
            if (label->isHidden() || !event->region().intersects(label->geometry())) continue;
            const QPalette colours = label->palette();
            painter.setClipRect(label->geometry());
            painter.setFont(label->font());
            style()->drawItemText(&painter, label->geometry(), label->textFlags(), colours, label->isEnabled(),
                                  label->caption(), QPalette::WindowText);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        pressed_ = labelAt(event->position().toPoint());
        if (pressed_) fireMouse(pressed_->onMouseDown, event, pressed_->pos());
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        // While a button is down the pressed label keeps the mouse, as a
        // window keeps it between press and release.
        Label* label = event->buttons() ? pressed_.data() : labelAt(event->position().toPoint());
        if (!event->buttons()) setCursor(label ? label->cursor() : QCursor());
        if (label) fireMouse(label->onMouseMove, event, label->pos());
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPointer<Label> label = pressed_;
        pressed_ = nullptr;
        if (!label) return;
        fireMouse(label->onMouseUp, event, label->pos());
        if (label && event->button() == Qt::LeftButton && label->geometry().contains(event->position().toPoint()))
            fire(label->onClick);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (Label* label = labelAt(event->position().toPoint())) fire(label->onDblClick);
    }

private:
    void forget(Label* label) { labels_.erase(std::remove(labels_.begin(), labels_.end(), label), labels_.end()); }

    explicit LabelLayer(QWidget* container) : QWidget(container)
    {
        setMouseTracking(true);
        resize(container->size());
        lower();
        container->installEventFilter(this);
    }

    // The uppermost shown label at a point, when it takes the mouse.
    Label* labelAt(const QPoint& point) const
    {
        for (auto it = labels_.rbegin(); it != labels_.rend(); ++it)
            if (!(*it)->isHidden() && (*it)->geometry().contains(point)) return (*it)->isEnabled() ? *it : nullptr;
        return nullptr;
    }

    std::vector<Label*> labels_;   // bottom to top
    QPointer<Label> pressed_;
};

namespace {

// What a screen reader learns of a label: static text with its caption.
class LabelAccessible : public QAccessibleObject {
public:
    explicit LabelAccessible(Label* label) : QAccessibleObject(label) {}

    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(label()->parentWidget()->findChild<LabelLayer*>(
            QString(), Qt::FindDirectChildrenOnly));
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? label()->caption() : QString();
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !label()->isVisible();
        state.disabled = !label()->isEnabled();
        return state;
    }
    QRect rect() const override
    {
        const QWidget* container = label()->parentWidget();
        return QRect(container->mapToGlobal(label()->pos()), label()->geometry().size());
    }

private:
    Label* label() const { return static_cast<Label*>(object()); }
};

// The layer itself is no control a reader should name: it stands for the
// group of its labels.
class LayerAccessible : public QAccessibleWidget {
public:
    explicit LayerAccessible(LabelLayer* layer) : QAccessibleWidget(layer, QAccessible::Grouping) {}

    int childCount() const override { return static_cast<int>(layer()->labels().size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount()) return nullptr;
        return QAccessible::queryAccessibleInterface(layer()->labels()[static_cast<size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto& labels = layer()->labels();
        const auto found = std::find(labels.begin(), labels.end(), child ? child->object() : nullptr);
        return found == labels.end() ? -1 : static_cast<int>(found - labels.begin());
    }

private:
    LabelLayer* layer() const { return static_cast<LabelLayer*>(widget()); }
};

QAccessibleInterface* accessibleLabels(const QString& className, QObject* object)
{
    if (className == QLatin1String("ui::Label")) return new LabelAccessible(static_cast<Label*>(object));
    if (className == QLatin1String("ui::LabelLayer")) return new LayerAccessible(static_cast<LabelLayer*>(object));
    return nullptr;
}

} // namespace

Label::Label(QWidget* container) : QObject(container), layer_(LabelLayer::of(container))
{
    static const bool readable = (QAccessible::installFactory(accessibleLabels), true);
    Q_UNUSED(readable);
    layer_->add(this);
}

Label::~Label()
{
    if (layer_) layer_->remove(this);
}

void Label::setCaption(const QString& caption)
{
    if (caption == caption_) return;
    caption_ = caption;
    repaint();
    // Only a listening screen reader is told: telling nobody would still
    // make Qt keep an accessibility entry for the label.
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

QWidget* Label::parentWidget() const
{
    return static_cast<QWidget*>(parent());
}

void Label::setGeometry(const QRect& geometry)
{
    if (geometry == geometry_) return;
    geometry_ = geometry;
    // The new mask repaints the whole layer, the old place with it.
    if (layer_ && !hidden_) layer_->reshape();
}

bool Label::isVisible() const
{
    return !hidden_ && parentWidget()->isVisible();
}

void Label::setVisible(bool visible)
{
    if (hidden_ == !visible) return;
    hidden_ = !visible;
    if (layer_) layer_->reshape();
}

bool Label::isEnabled() const
{
    return enabled_ && parentWidget()->isEnabled();
}

void Label::setEnabled(bool enabled)
{
    enabled_ = enabled;
    repaint();
}

void Label::raise()
{
    if (layer_) layer_->toTop(this);
}

QFont Label::font() const
{
    return font_.resolve(parentWidget()->font());
}

void Label::setFont(const QFont& font)
{
    font_ = font;
    repaint();
}

QPalette Label::palette() const
{
    return palette_.resolve(parentWidget()->palette());
}

void Label::setPalette(const QPalette& palette)
{
    palette_ = palette;
    repaint();
}

void Label::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    repaint();
}

void Label::setWordWrap(bool wrap)
{
    wordWrap_ = wrap;
    repaint();
}

int Label::heightForWidth(int width) const
{
    return fontMetrics().boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX), textFlags(), caption_).height();
}

void Label::repaint() const
{
    if (layer_ && !hidden_) layer_->update(geometry_);
}

int Label::textFlags() const
{
    return static_cast<int>(QStyle::visualAlignment(parentWidget()->layoutDirection(), alignment_))
        | (wordWrap_ ? Qt::TextWordWrap : 0);
}

} // namespace ui

#include "label.moc"
