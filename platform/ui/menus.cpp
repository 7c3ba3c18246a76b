#include "platform/ui/menus.h"

#include "platform/ui/keypress.h"

#include <QEvent>
#include <QKeySequence>

namespace ui {

// ---- MenuItem

MenuItem::MenuItem(const QString& name, const QString& caption, QObject* parent) : QAction(caption, parent)
{
    setObjectName(name);
    connect(this, &QAction::triggered, this, [this] { fire(onClick); });
}

void MenuItem::click()
{
    if (isEnabled()) fire(onClick);
}

// ---- Menu

Menu::Menu(const QString& name, const QString& caption, QWidget* parent) : QMenu(caption, parent)
{
    setObjectName(name);
}

MenuItem* Menu::addItem(const QString& name, const QString& caption, const QString& shortcut)
{
    auto* item = new MenuItem(name, caption, this);
    if (!shortcut.isEmpty()) item->setShortcut(QKeySequence(shortcut));
    addAction(item);
    return item;
}

Menu* Menu::addSubmenu(const QString& name, const QString& caption)
{
    auto* submenu = new Menu(name, caption, this);
    addMenu(submenu);
    return submenu;
}

void Menu::addSeparator(const QString& name)
{
    QMenu::addSeparator()->setObjectName(name);
}

QList<MenuItem*> Menu::items() const
{
    QList<MenuItem*> entries;
    for (QAction* action : actions())
        if (auto* item = qobject_cast<MenuItem*>(action)) entries << item;
    return entries;
}

// ---- MenuBar

MenuBar::MenuBar(QWidget* window) : QMenuBar(window), window_(window), client_(new QWidget(window))
{
    setObjectName(QStringLiteral("menuBar"));
    client_->setObjectName(QStringLiteral("clientArea"));
    window_->installEventFilter(this);
    fitToWindow();
    show();
    client_->show();
}

Menu* MenuBar::addMenu(const QString& name, const QString& caption)
{
    auto* menu = new Menu(name, caption, this);
    QMenuBar::addMenu(menu);
    fitToWindow();
    return menu;
}

double MenuBar::heightTwips() const
{
    return pixelsToTwips(height());
}

double MenuBar::clientWidthTwips() const
{
    return pixelsToTwips(client_->width());
}

double MenuBar::clientHeightTwips() const
{
    return pixelsToTwips(client_->height());
}

// The window's resize reaches this filter before the window's own handling,
// so the window's layout code already sees the new client area.
bool MenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_ && event->type() == QEvent::Resize) fitToWindow();
    return QMenuBar::eventFilter(watched, event);
}

void MenuBar::fitToWindow()
{
    const int barHeight = heightForWidth(window_->width()) > 0 ? heightForWidth(window_->width()) : sizeHint().height();
    setGeometry(0, 0, window_->width(), barHeight);
    client_->setGeometry(0, barHeight, window_->width(), qMax(0, window_->height() - barHeight));
}

} // namespace ui
