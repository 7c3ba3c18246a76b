#pragma once
// Chrome objects are created shared (std::make_shared). Window properties,
// client lists and hook lists keep raw pointers to them; a call made through
// such a pointer holds a counted reference for its length (ObjectFromPtr).
#include <memory>

namespace chrome {

class Object : public std::enable_shared_from_this<Object> {
public:
    virtual ~Object() = default;
};

namespace mDeclares {

// A counted reference made from a stored pointer; empty for 0 and for an
// object that is not (or no longer) shared.
template <class T>
std::shared_ptr<T> ObjectFromPtr(T* pointer)
{
    if (!pointer) return {};
    std::shared_ptr<const Object> owner = static_cast<const Object*>(pointer)->weak_from_this().lock();
    if (!owner) return {};
    return std::shared_ptr<T>(std::const_pointer_cast<Object>(owner), pointer);
}

} // namespace mDeclares
} // namespace chrome
