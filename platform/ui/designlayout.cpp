#include "platform/ui/designlayout.h"

#include "platform/ui/form.h"

#include <cmath>

namespace ui {

void DesignLayout::remember(Form* form)
{
    width_ = std::nearbyint(form->scaleWidthTwips());
    height_ = std::nearbyint(form->scaleHeightTwips());
    placed_.clear();
    // Only the controls the window placed itself: the inner parts of a
    // control (a list's scroll bars, a picker's buttons) follow their control.
    auto keep = [this](QObject* control, const QRect& g) {
        placed_.push_back({control, {pixelsToTwips(g.x()), pixelsToTwips(g.y()), pixelsToTwips(g.width()),
                                     pixelsToTwips(g.height())}});
    };
    for (QWidget* control : form->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!control->objectName().isEmpty() && !control->isWindow()) keep(control, control->geometry());
    for (Label* label : form->findChildren<Label*>(QString(), Qt::FindDirectChildrenOnly))
        keep(label, label->geometry());
}

void DesignLayout::scale(Form* form) const
{
    if (width_ <= 0 || height_ <= 0) return;
    const double across = form->scaleWidthTwips() / width_;
    const double down = form->scaleHeightTwips() / height_;
    for (const Placed& placed : placed_) {
        if (!placed.control) continue;
        const Geometry& g = placed.geometry;
        if (auto* label = qobject_cast<Label*>(placed.control))
            placeTwips(label, g.left * across, g.top * down, g.width * across, g.height * down);
        else
            placeTwips(static_cast<QWidget*>(placed.control.data()), g.left * across, g.top * down, g.width * across,
                       g.height * down);
    }
}

DesignLayout::Geometry DesignLayout::design(const QString& name) const
{
    for (const Placed& placed : placed_)
        if (placed.control && placed.control->objectName() == name) return placed.geometry;
    return {};
}

} // namespace ui
