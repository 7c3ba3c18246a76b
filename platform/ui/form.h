#pragma once
// The base of every window. A window builds its controls in its constructor
// (through the factory methods below), runs Form_Load once when the window
// layer loads it, and Form_Unload when it is unloaded. Controls are found by
// name, so code of other windows and tests reach them as `form->control<T>(name)`.
#include "platform/ui/controls.h"
#include "platform/ui/datagrid.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <stdexcept>

namespace ui {

class Form : public QWidget {
    Q_OBJECT

public:
    explicit Form(const QString& kind);
    ~Form() override;

    const QString& kind() const { return kind_; }
    QString caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    template <class T>
    T* control(const QString& name) const {
        T* found = findChild<T*>(name);
        if (!found) throw std::logic_error(("no control " + name + " in " + kind_).toStdString());
        return found;
    }
    bool hasControl(const QString& name) const { return findChild<QObject*>(name) != nullptr; }

    // Window size and placement in twips (outer size, as the layouts give it).
    void setSizeTwips(double width, double height);
    double scaleWidthTwips() const;              // inner width
    double scaleHeightTwips() const;             // inner height
    double heightTwips() const;                  // outer height, title bar and borders included
    double widthTwips() const;
    void setBackColor(quint32 bbggrr);
    // Moves the window, at its present size, to the middle of the screen's work area.
    void centreOnScreen();
    // A tool window: it keeps its caption and close box but has no task-bar button.
    void keepOutOfTaskBar();
    bool isMinimizedWindow() const { return isMinimized(); }
    // Esc closes the window as its close box does. For the windows that show
    // or pick and hold nothing typed: reports, pickers, notices. The control
    // that has the focus uses the key first: an open list or calendar closes,
    // an in-place grid edit is undone, a KeyPress handler that swallows it
    // keeps it. `holdsTyping`, when given, tells when the window holds typing
    // that closing would lose; Esc then leaves it open.
    void closeOnEscape(std::function<bool()> holdsTyping = {});

    // Painting for Form_Paint: only valid while Form_Paint runs.
    void paintPicture(const QImage& picture, double left, double top, double width, double height);
    void fillBackground(quint32 bbggrr);

    // A window that is not the active one and has not painted for a while
    // (or is hidden) gives back its drawing buffer (width x height x 4 bytes,
    // the most a window costs): what it drew stays on the screen, and the
    // next time it paints, is uncovered or shown it draws itself whole into a
    // new buffer. The window calls this itself once idle that long.
    void giveBackDrawing();
    bool keepsDrawing() const;   // whether the window holds a drawing buffer

    // Runs by the window layer; not called by windows themselves. False when
    // the load step failed (said to the operator): the window is to be unloaded.
    bool runLoad();
    void runUnload();
    bool loadDone() const { return loaded_; }
    bool unloading() const { return unloading_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    virtual void Form_Paint() {}

    Label* addLabel(const QString& name, const QString& caption, double left, double top, double width, double height, QWidget* container = nullptr);
    TextBox* addTextBox(const QString& name, double left, double top, double width, double height, QWidget* container = nullptr);
    TextArea* addTextArea(const QString& name, double left, double top, double width, double height, QWidget* container = nullptr);
    ComboBox* addComboBox(const QString& name, ComboBox::Style style, double left, double top, double width, double height, QWidget* container = nullptr);
    CheckBox* addCheckBox(const QString& name, const QString& caption, double left, double top, double width, double height, QWidget* container = nullptr);
    OptionButton* addOptionButton(const QString& name, const QString& caption, double left, double top, double width, double height, QWidget* container = nullptr);
    CommandButton* addCommandButton(const QString& name, const QString& caption, double left, double top, double width, double height, QWidget* container = nullptr);
    PictureButton* addPictureButton(const QString& name, const QString& picture, double left, double top, double width, double height, QWidget* container = nullptr);
    Frame* addFrame(const QString& name, const QString& caption, double left, double top, double width, double height, QWidget* container = nullptr);
    ListBox* addListBox(const QString& name, double left, double top, double width, double height, QWidget* container = nullptr);
    DataGrid* addDataGrid(const QString& name, double left, double top, double width, double height, QWidget* container = nullptr);
    Timer* addTimer(const QString& name, int intervalMs, bool enabled);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Tab and Shift+Tab walk the window's tab order (platform/ui/taborder.h);
    // a window shown without a control of its choice to start in starts in
    // the first control of that order.
    bool focusNextPrevChild(bool next) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class T>
    T* place(T* control, const QString& name, double left, double top, double width, double height);

    QString kind_;
    bool loaded_ = false;
    bool unloading_ = false;
    QPainter* painter_ = nullptr;
    bool closesOnEscape_ = false;
    std::function<bool()> holdsTyping_;
    QTimer idle_;   // runs from the last paint of a window that is not active
};

} // namespace ui
