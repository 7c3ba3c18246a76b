#pragma once
// The window layer: one window of each kind, loaded once and brought to the
// front when opened again; "loaded unseen" when code touches a window that is
// not loaded; the loaded windows in loading order. Windows are defined by
// their kind name, so a window opens a window of another folder by name.
#include "platform/ui/form.h"

#include <functional>
#include <memory>
#include <vector>

namespace ui {

class Windows {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    // Makes a window kind known to the layer (each folder defines its own).
    static void define(const QString& kind, Factory factory);
    static bool isDefined(const QString& kind);

    // Loads the window when it is not loaded, shows it modeless and brings it to the front.
    static Form* open(const QString& kind);
    // The loaded window of that kind, loading it unseen when it is not loaded.
    static Form* get(const QString& kind);
    // The loaded window of that kind, or nullptr.
    static Form* loaded(const QString& kind);
    // A new window of that kind each time (the call monitor's pop-ups), loaded and shown.
    static Form* openNew(const QString& kind);
    // Makes a window of that kind now, neither loaded nor shown, for the next
    // openNew of the kind: a pop-up that must show the moment it is asked for
    // (the caller's card) then costs its load alone. One waits per kind.
    static void prepareNew(const QString& kind);
    // Shows a window from inside its own load step and lets it paint, so that
    // it is on screen while the rest of the load waits (for the data file
    // another workstation holds); its open then only brings it to the front.
    static void showWhileLoading(Form* form);

    // Runs the window's unload handling and discards it.
    static void unload(Form* form);
    static void unload(const QString& kind);
    // Every loaded window, in loading order.
    static std::vector<Form*> all();
    // Unloads every window and discards those prepared (tests, program end).
    static void unloadAll();

    template <class T>
    static T* get(const QString& kind) { return dynamic_cast<T*>(get(kind)); }
    template <class T>
    static T* loaded(const QString& kind) { return dynamic_cast<T*>(loaded(kind)); }
};

} // namespace ui
