#include "common/productpick.h"

#include "common/mymode.h"
#include "platform/ui/form.h"
#include "platform/ui/windows.h"

#include <QPointer>

namespace productpick {

namespace {

const char* const kPickerKind = "productmgr";
const char* const kWatchedProperty = "productPickWatched";

// A window that goes away takes its place as the pick's caller with it.
void dropWhenGone(ui::Form* window)
{
    if (window->property(kWatchedProperty).toBool()) return;
    window->setProperty(kWatchedProperty, true);
    QObject::connect(window, &QObject::destroyed, [window] {
        if (Mymode::ProductPickCaller == window) Mymode::ProductPickCaller = nullptr;
    });
}

void setText(ui::TextBox* box, const QString& text)
{
    if (box) box->setText(text);
}

} // namespace

Caller* callerOf(ui::Form* window)
{
    if (!window) return nullptr;
    return dynamic_cast<Caller*>(window->findChild<QObject*>(QStringLiteral("lineRows")));
}

void openPicker(ui::Form* window, int line)
{
    Mymode::ProductPickCaller = window;
    dropWhenGone(window);
    if (Caller* caller = callerOf(window)) setText(caller->selIndexBox(), QString::number(line));
    if (ui::Windows::isDefined(QString::fromLatin1(kPickerKind))) ui::Windows::open(QString::fromLatin1(kPickerKind));
}

} // namespace productpick

namespace Mymode {

void FillPickedProduct()
{
    using productpick::Caller;
    ui::Form* list = ui::Windows::loaded(QString::fromLatin1(productpick::kPickerKind));
    // A caller that has been unloaded (and not yet deleted) counts as gone.
    ui::Form* window = ProductPickCaller && ProductPickCaller->loadDone() ? ProductPickCaller : nullptr;
    Caller* caller = productpick::callerOf(window);
    bool isLine = false;
    const int line = caller && caller->selIndexBox() ? caller->selIndexBox()->text().trimmed().toInt(&isLine) : 0;
    if (caller && isLine && line >= 0) {
        QString name, number, unit, price;
        if (list && list->hasControl(QStringLiteral("DataGrid1"))) {
            const ui::DataGrid* grid = list->control<ui::DataGrid>(QStringLiteral("DataGrid1"));
            const int row = grid->currentRow();
            if (row >= 0) {
                name = grid->cellText(row, 1);
                number = grid->cellText(row, 2);
                price = grid->cellText(row, 4);
                unit = grid->cellText(row, 5);
            }
        }
        // Each write runs the window's own change handlers, as typing does.
        QPointer<ui::Form> alive(window);
        productpick::setText(caller->lineBox(QStringLiteral("product"), line), name);
        if (alive) productpick::setText(caller->lineBox(QStringLiteral("description"), line), number);
        if (alive) productpick::setText(caller->lineBox(QStringLiteral("dw"), line), unit);
        if (alive) productpick::setText(caller->lineBox(QStringLiteral("Price"), line), price);
        if (alive) productpick::setText(caller->lineBox(QStringLiteral("num"), line), QStringLiteral("1"));
        if (alive) productpick::setText(caller->lineBox(QStringLiteral("zk"), line), QStringLiteral("100"));
        if (alive) caller->addPickedLine(line + 1);
    }
    if (list) ui::Windows::unload(list);
}

} // namespace Mymode
