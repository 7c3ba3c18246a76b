#include "tests/support/reachable.h"

#include <QApplication>
#include <QWidget>

void bringToFront(QWidget* window)
{
    window->activateWindow();
    QApplication::processEvents();
}

bool reachable(QWidget* control)
{
    QWidget* window = control->window();
    QWidget* hit = window->childAt(control->mapTo(window, control->rect().center()));
    return hit == control || (hit && control->isAncestorOf(hit));
}
