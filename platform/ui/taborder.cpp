#include "platform/ui/taborder.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <algorithm>
#include <map>

namespace ui {

namespace {

const char* const kSequenceLead = "tabSequenceLead";
const char* const kSequenceIndex = "tabSequenceIndex";

// The parts of a compound control (a list's text box, a grid's cells) are
// reached through the control itself.
bool isCompound(const QWidget* control)
{
    return qobject_cast<const QComboBox*>(control) || qobject_cast<const QAbstractSpinBox*>(control) ||
           qobject_cast<const QAbstractScrollArea*>(control);
}

bool takesTab(const QWidget* control, const QWidget* window)
{
    return control->window() == window && !control->focusProxy() && (control->focusPolicy() & Qt::TabFocus) &&
           control->isEnabled() && control->isVisibleTo(window) && control->width() > 0 && control->height() > 0;
}

// Wholly under a control that Tab reaches: the mouse cannot reach it either.
bool isCovered(const QWidget* control, const QWidget* window)
{
    const QWidget* parent = control->parentWidget();
    if (!parent) return false;
    bool above = false;   // siblings later in the list lie above
    for (const QObject* sibling : parent->children()) {
        if (sibling == control) {
            above = true;
            continue;
        }
        const auto* widget = qobject_cast<const QWidget*>(sibling);
        if (above && widget && takesTab(widget, window) && widget->geometry().contains(control->geometry()))
            return true;
    }
    return false;
}

bool isReachable(const QWidget* control, const QWidget* window)
{
    if (!takesTab(control, window) || isCovered(control, window)) return false;
    for (const QWidget* up = control->parentWidget(); up && up != window; up = up->parentWidget())
        if (isCompound(up)) return false;
    return true;
}

struct Place {
    QWidget* control;
    QRect rect;   // in the window's coordinates
};

// Top to bottom; controls whose tops lie within half a row's height of the
// row's first control share its row and go left to right.
std::vector<QWidget*> byPlace(std::vector<Place> places)
{
    std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.rect.top() < b.rect.top(); });
    std::vector<std::vector<Place>> rows;
    int rowTop = 0;
    int rowHeight = 0;
    for (const Place& place : places) {
        if (rows.empty() || place.rect.top() >= rowTop + std::max(rowHeight / 2, 1)) {
            rows.emplace_back();
            rowTop = place.rect.top();
            rowHeight = place.rect.height();
        }
        rows.back().push_back(place);
    }
    std::vector<QWidget*> order;
    for (std::vector<Place>& row : rows) {
        std::stable_sort(row.begin(), row.end(), [](const Place& a, const Place& b) { return a.rect.left() < b.rect.left(); });
        for (const Place& place : row) order.push_back(place.control);
    }
    return order;
}

QObject* sequenceLead(const QWidget* control)
{
    return control->property(kSequenceLead).value<QObject*>();
}

} // namespace

void setTabOrder(const std::vector<QWidget*>& controls)
{
    if (controls.empty()) return;
    QObject* lead = controls.front();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i]->setProperty(kSequenceLead, QVariant::fromValue(lead));
        controls[i]->setProperty(kSequenceIndex, static_cast<int>(i));
    }
}

std::vector<QWidget*> tabOrder(const QWidget* window)
{
    std::vector<Place> places;
    std::map<QObject*, std::map<int, QWidget*>> sequences;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!isReachable(control, window)) continue;
        places.push_back({control, QRect(control->mapTo(window, QPoint(0, 0)), control->size())});
        if (QObject* lead = sequenceLead(control)) sequences[lead][control->property(kSequenceIndex).toInt()] = control;
    }
    // A sequence is walked where its first control stands (its first one
    // that Tab reaches now); its other controls only with it.
    std::vector<QWidget*> order;
    for (QWidget* control : byPlace(std::move(places))) {
        QObject* lead = sequenceLead(control);
        if (!lead) {
            order.push_back(control);
            continue;
        }
        const std::map<int, QWidget*>& members = sequences[lead];
        if (members.begin()->second != control) continue;
        for (const auto& [index, member] : members) order.push_back(member);
    }
    return order;
}

bool moveTabFocus(QWidget* window, bool next)
{
    const std::vector<QWidget*> order = tabOrder(window);
    if (order.empty()) return false;
    const QWidget* focus = QApplication::focusWidget();
    auto current = order.end();
    for (const QWidget* holder = focus; holder && current == order.end(); holder = holder->parentWidget())
        current = std::find(order.begin(), order.end(), holder);
    const auto count = static_cast<std::ptrdiff_t>(order.size());
    std::ptrdiff_t target = 0;
    if (current == order.end()) target = next ? 0 : count - 1;
    else target = ((current - order.begin()) + (next ? 1 : count - 1)) % count;
    order[static_cast<std::size_t>(target)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace ui
