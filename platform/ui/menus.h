#pragma once
// A window's menus: the menu bar along the window's top edge, its drop-down
// menus and their entries. Menus and entries carry names like controls, so
// code and tests find them with Form::control<Menu>(name) and
// Form::control<MenuItem>(name).
#include "platform/ui/controls.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace ui {

// One entry of a menu; a disabled entry is greyed and cannot be chosen.
class MenuItem : public QAction {
    Q_OBJECT
public:
    MenuItem(const QString& name, const QString& caption, QObject* parent);
    QString caption() const { return text(); }
    void click();                                // as if the operator chose it; nothing when disabled
    ClickHandler onClick;
};

class Menu : public QMenu {
    Q_OBJECT
public:
    Menu(const QString& name, const QString& caption, QWidget* parent);
    QString caption() const { return title(); }
    // `shortcut` as "Ctrl+K"; empty for none.
    MenuItem* addItem(const QString& name, const QString& caption, const QString& shortcut = QString());
    Menu* addSubmenu(const QString& name, const QString& caption);
    void addSeparator(const QString& name);      // a "-" line
    // Every entry, separators and submenus left out, top to bottom.
    QList<MenuItem*> items() const;
};

// The menu bar sits along the top edge of the window. The window's controls
// go into the client area below it (the `container` of the Form factories),
// so their positions count from the bar's lower edge as the layouts give them;
// bar and client area follow the window's size.
class MenuBar : public QMenuBar {
    Q_OBJECT
public:
    explicit MenuBar(QWidget* window);
    Menu* addMenu(const QString& name, const QString& caption);
    QWidget* clientArea() const { return client_; }
    double heightTwips() const;                  // the bar's height
    double clientWidthTwips() const;
    double clientHeightTwips() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToWindow();
    QWidget* window_;
    QWidget* client_;
};

} // namespace ui
