#pragma once
// The window skin most windows paint on every paint event: the pale blue
// background and the top and bottom banners of the program's bmp folder,
// stretched across the window.
namespace ui { class Form; }

namespace skin {

enum class BottomOffset {
    ByBottomPicture,   // most windows: Height - bottom picture's height - 300
    ByTopPicture       // the unknown-caller window: Height - top picture's height - 300
};

inline constexpr unsigned kBackColor = 0xFFF7EF;

// Call from Form_Paint. A missing or unreadable picture paints the background only.
void paint(ui::Form* form, BottomOffset offset = BottomOffset::ByBottomPicture);

} // namespace skin
