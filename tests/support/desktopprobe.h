#pragma once
// Catches what the program asks the desktop to open (files and web pages)
// for as long as it lives, so tests see it and nothing is launched.
#include <QObject>
#include <QStringList>
#include <QUrl>

class QWidget;
namespace ui { class Label; }

class DesktopProbe : public QObject {
    Q_OBJECT
public:
    DesktopProbe();
    ~DesktopProbe() override;
    // Local files as paths, pages as their addresses, in order.
    const QStringList& opened() const { return opened_; }

public slots:
    void open(const QUrl& url);

private:
    QStringList opened_;
};

// A click of the left button on a control, as the operator makes it: a
// disabled control does not react.
void clickWithMouse(QWidget* control);
// The same on a label: the click goes to whatever its container shows there.
void clickWithMouse(ui::Label* label);
