#pragma once
// An off-screen drawing surface: a memory context with a display-compatible
// bitmap selected into it. It only grows; growing re-creates it, so its
// former content is lost.
#include "chrome/object.h"
#include "platform/winsys/picture.h"

namespace chrome {

using namespace winsys;

class cMemDC : public Object {
public:
    cMemDC() = default;
    ~cMemDC() override;
    cMemDC(const cMemDC&) = delete;
    cMemDC& operator=(const cMemDC&) = delete;

    // Grows the surface to at least the picture's size and copies the picture to its top-left corner.
    void CreateFromPicture(const StdPicture& picture);
    HDC hdc() const { return hdc_; }
    LONG Width() const { return width_; }
    void setWidth(LONG width);
    LONG Height() const { return height_; }
    void setHeight(LONG height);

private:
    void Create(LONG cx, LONG cy);
    void Destroy();

    HDC hdc_ = 0;
    HBITMAP bmpOld_ = 0;
    HBITMAP bmp_ = 0;
    LONG width_ = 0;
    LONG height_ = 0;
};

} // namespace chrome
