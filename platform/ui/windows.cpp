#include "platform/ui/windows.h"

#include "platform/ui/displayrequests.h"

#include <QApplication>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QMap>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <malloc.h>
#include <utility>

namespace ui {

namespace {

// How long a window shown while it loads waits at most for the window system to show it.
constexpr qint64 kShowWaitMs = 500;

struct LoadedWindow {
    QString kind;
    QPointer<Form> form;
    bool isDefault;   // the one window of its kind; pop-ups made by openNew are not
};

QMap<QString, Windows::Factory>& factories()
{
    static QMap<QString, Windows::Factory> defined;
    return defined;
}

// Loaded windows in loading order; a window deleted by other means drops out.
std::vector<LoadedWindow>& loadedWindows()
{
    static std::vector<LoadedWindow> windows;
    std::erase_if(windows, [](const LoadedWindow& w) { return w.form.isNull(); });
    return windows;
}

Form* defaultWindow(const QString& kind)
{
    for (const LoadedWindow& w : loadedWindows())
        if (w.isDefault && w.kind == kind) return w.form;
    return nullptr;
}

// The windows made ahead for openNew, one per kind.
QMap<QString, QPointer<Form>>& preparedWindows()
{
    static QMap<QString, QPointer<Form>> prepared;
    return prepared;
}

Form* takePrepared(const QString& kind)
{
    const QPointer<Form> form = preparedWindows().take(kind);
    return form.data();
}

bool isRegistered(const Form* form)
{
    for (const LoadedWindow& w : loadedWindows())
        if (w.form == form) return true;
    return false;
}

// Makes a window of the kind and runs its load step; nullptr when the kind is
// unknown or the window unloaded itself while loading.
Form* load(const QString& kind, bool isDefault)
{
    const auto factory = factories().constFind(kind);
    if (factory == factories().constEnd()) return nullptr;
    QPointer<Form> form = isDefault ? nullptr : takePrepared(kind);
    if (!form) form = (*factory)().release();
    if (!form) return nullptr;
    // Registered before its load step, so the load step's own references find it.
    loadedWindows().push_back({kind, form, isDefault});
    if (!form->runLoad()) {
        Windows::unload(form);
        return nullptr;
    }
    return form && isRegistered(form) ? form.data() : nullptr;
}

void showInFront(Form* form)
{
    form->show();
    // The offscreen platform (tests) has no stacking order to change.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    form->raise();
    form->activateWindow();
    settleDisplayRequests();
}

// When the last shown window has been unloaded the program ends, as it does
// when the last window is closed by its frame. Checked once the current
// handler has finished, so a handler may unload one window and open another.
// (Without a running event loop, as in tests, quitting does nothing.)
void endWhenNothingShown()
{
    QTimer::singleShot(0, qApp, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible()) return;
        QCoreApplication::quit();
    });
}

// glibc keeps heap that is freed below memory still in use, which is where a
// window's many small pieces lie once later allocations follow them: without
// handing it back, a program that has shown many windows stays at its largest
// size after they are closed. Runs a second after an unload, when the
// unloaded windows are deleted; a burst of unloads (closing all pop-ups)
// trims about once a second. A little free heap is kept as it is: trimming it
// would only make the next allocations fetch the same pages again.
void returnFreedMemory()
{
    constexpr std::size_t kKeptFreeHeap = 8 << 20;
    static bool pending = false;
    if (pending) return;
    pending = true;
    QTimer::singleShot(1000, qApp, [] {
        pending = false;
        if (mallinfo2().fordblks > kKeptFreeHeap) malloc_trim(0);
    });
}

} // namespace

void Windows::define(const QString& kind, Factory factory)
{
    factories().insert(kind, std::move(factory));
}

bool Windows::isDefined(const QString& kind)
{
    return factories().contains(kind);
}

Form* Windows::open(const QString& kind)
{
    Form* form = get(kind);
    if (form) showInFront(form);
    return form;
}

Form* Windows::get(const QString& kind)
{
    if (Form* form = defaultWindow(kind)) return form;
    return load(kind, true);
}

Form* Windows::loaded(const QString& kind)
{
    return defaultWindow(kind);
}

Form* Windows::openNew(const QString& kind)
{
    Form* form = load(kind, false);
    if (form) showInFront(form);
    return form;
}

void Windows::prepareNew(const QString& kind)
{
    const auto factory = factories().constFind(kind);
    if (factory == factories().constEnd() || preparedWindows().value(kind)) return;
    Form* form = (*factory)().release();
    if (!form) return;
    // Its style, its window and the window's drawing buffer are made now too,
    // as its show would make them: a new buffer's memory is fetched from the
    // system page by page as the first paint touches it, which costs more than
    // that paint's own drawing.
    form->ensurePolished();
    form->winId();
    if (QBackingStore* buffer = form->backingStore()) {
        const QRect whole(QPoint(), form->size());
        buffer->resize(whole.size());
        buffer->beginPaint(whole);
        QPainter(buffer->paintDevice()).fillRect(whole, form->palette().window());
        buffer->endPaint();
    }
    preparedWindows().insert(kind, form);
}

void Windows::showWhileLoading(Form* form)
{
    showInFront(form);
    // Its first paint comes once the window system has shown it.
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (form->windowHandle() && !form->windowHandle()->isExposed() && waited.elapsed() < kShowWaitMs);
}

void Windows::unload(Form* form)
{
    if (!form || form->unloading()) return;
    QPointer<Form> guard(form);
    const bool owned = isRegistered(form);
    // Its unload step may unload other windows; this one is marked unloading first.
    form->runUnload();
    if (!guard) return;
    std::erase_if(loadedWindows(), [form](const LoadedWindow& w) { return w.form == form; });
    const bool wasShown = form->isVisible();
    form->hide();
    // Deleted once the current event is done: the handler that unloads its own
    // window is still running inside it.
    if (owned) {
        form->deleteLater();
        returnFreedMemory();
    }
    if (wasShown) endWhenNothingShown();
}

void Windows::unload(const QString& kind)
{
    unload(loaded(kind));
}

std::vector<Form*> Windows::all()
{
    std::vector<Form*> forms;
    for (const LoadedWindow& w : loadedWindows()) forms.push_back(w.form);
    return forms;
}

void Windows::unloadAll()
{
    std::vector<QPointer<Form>> forms;
    for (const LoadedWindow& w : loadedWindows()) forms.push_back(w.form);
    // Newest first; a window another window's unload step has already unloaded is skipped.
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (*it) unload(it->data());
    // A prepared window was never loaded: it has no unload step to run.
    for (const QPointer<Form>& prepared : std::exchange(preparedWindows(), {})) delete prepared.data();
}

} // namespace ui
