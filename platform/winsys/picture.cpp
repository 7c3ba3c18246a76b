#include "platform/winsys/picture.h"

#include "platform/winsys/system.h"

namespace winsys {

StdPicture::StdPicture(const QImage& image) : handle_(current().gdi().createBitmapFrom(image)) {}

StdPicture::~StdPicture()
{
    if (handle_ && installed()) current().gdi().deleteObject(handle_);
}

} // namespace winsys
