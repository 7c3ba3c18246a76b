#include "platform/winsys/font.h"

#include "platform/winsys/api.h"
#include "platform/winsys/system.h"

#include <cmath>
#include <cstring>

namespace winsys {

StdFont::~StdFont() { reset(); }

void StdFont::reset()
{
    if (handle_ && installed()) DeleteObject(handle_);
    handle_ = 0;
}

HFONT StdFont::hFont()
{
    if (!handle_) {
        LOGFONTA lf;
        lf.lfHeight = -MulDiv(int(std::lround(size_)), 96, 72);
        lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = italic_;
        lf.lfUnderline = underline_;
        lf.lfStrikeOut = strike_;
        lf.lfCharSet = BYTE(charset_);
        std::strncpy(lf.lfFaceName, name_.c_str(), sizeof lf.lfFaceName - 1);
        handle_ = CreateFontIndirectA(&lf);
    }
    return handle_;
}

} // namespace winsys
