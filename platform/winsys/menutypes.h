#pragma once
// Records and numbers of menus, owner drawing, popup tracking, text and fonts.
#include "platform/winsys/types.h"

namespace winsys {

using BYTE = uint8_t;
using ULONG_PTR = uintptr_t;

struct MENUITEMINFOA {
    UINT cbSize = sizeof(MENUITEMINFOA);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = 0;
    HBITMAP hbmpChecked = 0;
    HBITMAP hbmpUnchecked = 0;
    ULONG_PTR dwItemData = 0;
    char* dwTypeData = nullptr;
    UINT cch = 0;
};
struct MEASUREITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemWidth = 0;
    UINT itemHeight = 0;
    ULONG_PTR itemData = 0;
};
struct DRAWITEMSTRUCT {
    UINT CtlType = 0;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = 0;
    UINT itemState = 0;
    HANDLE hwndItem = 0;   // the menu for a menu item
    HDC hDC = 0;
    RECT rcItem;
    ULONG_PTR itemData = 0;
};
struct TPMPARAMS {
    UINT cbSize = sizeof(TPMPARAMS);
    RECT rcExclude;
};
struct LOGFONTA {
    LONG lfHeight = 0;
    LONG lfWidth = 0;
    LONG lfEscapement = 0;
    LONG lfOrientation = 0;
    LONG lfWeight = 0;
    BYTE lfItalic = 0;
    BYTE lfUnderline = 0;
    BYTE lfStrikeOut = 0;
    BYTE lfCharSet = 0;
    BYTE lfOutPrecision = 0;
    BYTE lfClipPrecision = 0;
    BYTE lfQuality = 0;
    BYTE lfPitchAndFamily = 0;
    char lfFaceName[32] = {};
};

enum : UINT {
    MIIM_STATE = 0x1, MIIM_ID = 0x2, MIIM_SUBMENU = 0x4, MIIM_TYPE = 0x10, MIIM_DATA = 0x20,
    MFT_STRING = 0x0, MFT_OWNERDRAW = 0x100, MFT_RADIOCHECK = 0x200, MFT_SEPARATOR = 0x800,
    MFS_GRAYED = 0x3, MFS_DISABLED = 0x3, MFS_CHECKED = 0x8, MFS_HILITE = 0x80,
    MF_STRING = 0x0, MF_GRAYED = 0x1, MF_CHECKED = 0x8, MF_POPUP = 0x10, MF_OWNERDRAW = 0x100,
    MF_HILITE = 0x80, MF_BYPOSITION = 0x400, MF_SEPARATOR = 0x800, MF_SYSMENU = 0x2000,
    ODT_MENU = 1, ODT_BUTTON = 4, ODA_DRAWENTIRE = 1, ODA_SELECT = 2,
    ODS_SELECTED = 0x1, ODS_GRAYED = 0x2, ODS_DISABLED = 0x4, ODS_CHECKED = 0x8,
    TPM_VERTICAL = 0x40, TPM_RETURNCMD = 0x100,
    MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3,
    DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_SINGLELINE = 0x20,
    DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000,
};
enum : int { TRANSPARENT = 1, OPAQUE = 2, LOGPIXELSY = 90 };
enum : LONG { FW_NORMAL = 400, FW_BOLD = 700 };

constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(uint32_t(uint16_t(lo)) | (uint32_t(uint16_t(hi)) << 16)); }

} // namespace winsys
