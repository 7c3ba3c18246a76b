#include "chrome/cmemdc.h"

#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

namespace chrome {

cMemDC::~cMemDC()
{
    if (winsys::installed()) Destroy();
}

void cMemDC::setWidth(LONG width)
{
    if (width > width_) Create(width, height_);
}

void cMemDC::setHeight(LONG height)
{
    if (height > height_) Create(width_, height);
}

void cMemDC::CreateFromPicture(const StdPicture& picture)
{
    BITMAP bm;
    GetObjectA(picture.Handle(), sizeof bm, &bm);
    setWidth(bm.bmWidth);
    setHeight(bm.bmHeight);
    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    const HDC temp = CreateCompatibleDC(display);
    const HGDIOBJ old = SelectObject(temp, picture.Handle());
    BitBlt(hdc_, 0, 0, bm.bmWidth, bm.bmHeight, temp, 0, 0, SRCCOPY);
    SelectObject(temp, old);
    DeleteDC(temp);
    DeleteDC(display);
}

void cMemDC::Create(LONG cx, LONG cy)
{
    Destroy();
    const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    hdc_ = CreateCompatibleDC(display);
    bmp_ = CreateCompatibleBitmap(display, cx, cy);
    bmpOld_ = SelectObject(hdc_, bmp_);
    if (bmpOld_ != 0) {
        width_ = cx;
        height_ = cy;
    } else {
        Destroy();
    }
    DeleteDC(display);
}

void cMemDC::Destroy()
{
    if (bmpOld_) {
        SelectObject(hdc_, bmpOld_);
        bmpOld_ = 0;
    }
    if (bmp_) {
        DeleteObject(bmp_);
        bmp_ = 0;
    }
    width_ = 0;
    height_ = 0;
    if (hdc_) {
        DeleteDC(hdc_);
        hdc_ = 0;
    }
}

} // namespace chrome
