#pragma once
// Control arrays: several controls that share one name, told apart by an
// index. Element 0 comes from the window's design; further elements are
// created at run time like element 0 (same kind, size, tool tip, alignment,
// look) at a given Top, and each gets the array's handlers with its own index.
// Other windows and tests reach element i by name and index.
#include "platform/ui/controls.h"
#include "platform/ui/taborder.h"

#include <QPointer>
#include <functional>
#include <map>

namespace ui {

// Indexes are signed 16-bit numbers, as the layouts give them.
inline constexpr int kMaxControlIndex = 32767;

// The index of an element of a control array (0 for a control made alone).
int controlIndex(const QWidget* control);
// Element `index` of the control array `name` in `window`; nullptr when none.
QWidget* findElement(const QWidget* window, const QString& name, int index);
template <class T>
T* element(const QWidget* window, const QString& name, int index)
{
    return qobject_cast<T*>(findElement(window, name, index));
}

// A control's Top and Left in twips within its container.
double topTwips(const QWidget* control);
double leftTwips(const QWidget* control);

class ControlArrayBase {
public:
    ControlArrayBase() = default;
    ControlArrayBase(const ControlArrayBase&) = delete;
    ControlArrayBase& operator=(const ControlArrayBase&) = delete;
    virtual ~ControlArrayBase() = default;

    bool exists(int index) const;
    int upperBound() const;                      // the highest index in use
    QString name() const { return name_; }

protected:
    void adoptFirst(QWidget* first, const QString& name);
    // A new element like element 0 at `topTwips`, visible; nullptr when the
    // index is out of range, already taken, or element 0 is gone.
    QWidget* createElement(int index, double topTwips, QWidget* made);
    QWidget* at(int index) const;
    QWidget* first() const { return at(0); }

private:
    QString name_;
    std::map<int, QPointer<QWidget>> elements_;
};

template <class T>
class ControlArray : public ControlArrayBase {
public:
    using Wiring = std::function<void(T* element, int index)>;

    ControlArray() = default;
    // Element 0 of the design, already placed; it gets index 0 and the name.
    ControlArray(T* designElement, const QString& name) { adoptFirst(designElement, name); }
    void adopt(T* designElement, const QString& name) { adoptFirst(designElement, name); }

    T* operator[](int index) const { return static_cast<T*>(at(index)); }
    T* element(int index) const { return static_cast<T*>(at(index)); }

    // Connects the array's event handlers to an element; applied to every
    // element, those that exist and those created later.
    void setWiring(Wiring wiring)
    {
        wiring_ = std::move(wiring);
        for (int index = 0; index <= upperBound(); ++index)
            if (T* each = element(index)) wiring_(each, index);
    }

    // Creates element `index` like element 0 at Top `top` (twips); nullptr
    // when it cannot be created (the index is taken or out of range).
    T* load(int index, double top)
    {
        if (index < 0 || index > kMaxControlIndex || exists(index) || !first()) return nullptr;
        T* made = new T(first()->parentWidget());
        copyLook(made, static_cast<T*>(first()));
        auto* created = static_cast<T*>(createElement(index, top, made));
        if (created && wiring_) wiring_(created, index);
        return created;
    }

private:
    Wiring wiring_;
};

// What a new element takes over from element 0 besides its size and tool tip.
void copyLook(TextBox* to, const TextBox* from);
void copyLook(PictureButton* to, const PictureButton* from);
void copyLook(QWidget* to, const QWidget* from);

} // namespace ui
