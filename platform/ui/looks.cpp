#include "platform/ui/looks.h"

namespace ui {

void setMaximized(QWidget* window)
{
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

} // namespace ui
