#pragma once
// The event handlers of controls, named after the events they serve.
#include <functional>

namespace ui {

using ClickHandler = std::function<void()>;
// KeyAscii semantics: the handler sees the key before the character arrives;
// setting it to 0 swallows the key.
using KeyPressHandler = std::function<void(int& keyAscii)>;
enum MouseButton { LeftButton = 1, RightButton = 2, MiddleButton = 4 };
using MouseHandler = std::function<void(int button, int shift, double xTwips, double yTwips)>;

} // namespace ui
