#include "chrome/colour.h"

#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

namespace chrome {

winsys::LONG TranslateColor(winsys::OLE_COLOR colour, winsys::HPALETTE palette)
{
    winsys::COLORREF rgb = 0;
    if (winsys::OleTranslateColor(colour, palette, &rgb) != winsys::S_OK) return -1;
    return winsys::LONG(rgb);
}

WindowUpdateLock::WindowUpdateLock(winsys::HWND hwnd) { winsys::LockWindowUpdate(hwnd); }

WindowUpdateLock::~WindowUpdateLock()
{
    if (winsys::installed()) winsys::LockWindowUpdate(0);
}

} // namespace chrome
