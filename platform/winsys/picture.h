#pragma once
// Objects the chrome classes receive from a form: a picture (a bitmap handle
// of the current window system, deleted with the picture) and the form itself
// (its window handle and Refresh).
#include "platform/winsys/types.h"

#include <QImage>

namespace winsys {

class StdPicture {
public:
    explicit StdPicture(const QImage& image);
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    HBITMAP Handle() const { return handle_; }

private:
    HBITMAP handle_ = 0;
};

class IForm {
public:
    virtual ~IForm() = default;
    virtual HWND hWnd() const = 0;
    virtual void Refresh() = 0;
};

} // namespace winsys
