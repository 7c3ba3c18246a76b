#include "platform/ui/controlarray.h"

#include "platform/ui/fittext.h"

namespace ui {

namespace {
const char* const kIndexProperty = "controlIndex";
}

int controlIndex(const QWidget* control)
{
    const QVariant index = control->property(kIndexProperty);
    return index.isValid() ? index.toInt() : 0;
}

QWidget* findElement(const QWidget* window, const QString& name, int index)
{
    if (!window) return nullptr;
    for (QWidget* each : window->findChildren<QWidget*>(name))
        if (controlIndex(each) == index) return each;
    return nullptr;
}

double topTwips(const QWidget* control)
{
    return pixelsToTwips(control->y());
}

double leftTwips(const QWidget* control)
{
    return pixelsToTwips(control->x());
}

// ---- ControlArrayBase

void ControlArrayBase::adoptFirst(QWidget* first, const QString& name)
{
    name_ = name;
    first->setObjectName(name);
    first->setProperty(kIndexProperty, 0);
    elements_[0] = first;
}

bool ControlArrayBase::exists(int index) const
{
    return at(index) != nullptr;
}

int ControlArrayBase::upperBound() const
{
    for (auto it = elements_.rbegin(); it != elements_.rend(); ++it)
        if (it->second) return it->first;
    return -1;
}

QWidget* ControlArrayBase::at(int index) const
{
    const auto found = elements_.find(index);
    return found == elements_.end() ? nullptr : found->second.data();
}

QWidget* ControlArrayBase::createElement(int index, double topTwips, QWidget* made)
{
    const QWidget* model = first();
    made->setObjectName(name_);
    made->setProperty(kIndexProperty, index);
    // Same Left and size as element 0; only the Top is the caller's.
    made->setGeometry(model->x(), twipsToPixels(topTwips), model->width(), model->height());
    made->setToolTip(model->toolTip());
    made->setFont(model->font());
    made->setFocusPolicy(model->focusPolicy());
    made->show();
    elements_[index] = made;
    return made;
}

// ---- the look of each kind

void copyLook(TextBox* to, const TextBox* from)
{
    to->setAlignment(from->alignment());
    to->setReadOnly(from->isReadOnly());
    to->setPalette(from->palette());
    to->setMaxLength(from->maxLength());
    // A new element starts at the design font, as element 0 did.
    if (keepsTextWhole(from)) keepTextWhole(to);
}

void copyLook(PictureButton* to, const PictureButton* from)
{
    to->setStretch(from->stretch());
    to->setPicture(from->pixmap());
}

void copyLook(QWidget* to, const QWidget* from)
{
    to->setPalette(from->palette());
}

} // namespace ui
