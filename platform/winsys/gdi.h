#pragma once
// The drawing core shared by every implementation of the window system:
// device contexts, bitmaps and brushes as handles over QImage and QPainter.
// A memory context draws into the bitmap selected into it; a window context
// draws into the surface its implementation keeps for the whole window.
#include "platform/winsys/menutypes.h"
#include "platform/winsys/types.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace winsys {

class Gdi {
public:
    // Hands out handle numbers shared with the windows and hooks of the system.
    explicit Gdi(std::function<HANDLE()> newHandle);

    // Where a window context draws, and what runs when drawing into it ends.
    std::function<QImage*(HWND)> windowSurface;
    std::function<void(HWND)> surfaceChanged;

    HDC createDisplayDC();
    HDC createCompatibleDC(HDC);
    HDC windowDC(HWND);
    bool deleteDC(HDC);
    bool releaseDC(HWND, HDC);
    HBITMAP createBitmap(int width, int height);   // zero width or height is still a bitmap
    HBITMAP createBitmapFrom(const QImage& image);
    HBRUSH createSolidBrush(COLORREF);
    HBRUSH sysColorBrush(int index);
    bool deleteObject(HGDIOBJ);
    HGDIOBJ selectObject(HDC, HGDIOBJ);   // the object selected out, 0 on failure
    int getObject(HGDIOBJ, int size, void* out);
    DWORD objectType(HGDIOBJ) const;

    bool bitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop);
    int fillRect(HDC, const RECT&, HBRUSH);
    bool drawEdge(HDC, const RECT&, UINT edge, UINT flags);
    bool drawCaption(HDC, const RECT&, const std::string& text, UINT flags);
    bool drawFrameControl(HDC, const RECT&, UINT kind, UINT state);
    // Text: the font, colour and background mode of a context, and DrawText.
    // An "&" underlines the next character unless DT_NOPREFIX is given; the
    // symbol font "Marlett" is not installed, so its check ("b") and radio
    // ("h") marks are drawn here.
    HFONT createFont(const LOGFONTA&);
    bool fontOf(HFONT, LOGFONTA* out) const;
    COLORREF setTextColor(HDC, COLORREF);
    int setBkMode(HDC, int mode);
    int drawText(HDC, const std::string& text, RECT* rect, UINT flags);
    static QFont qfont(const LOGFONTA&);
    struct TextCall {
        std::string text;
        RECT rect;
        UINT flags = 0;
        COLORREF colour = 0;
        LOGFONTA font;
    };
    std::vector<TextCall> textLog;   // every text drawn (not measured)

    COLORREF getPixel(HDC, int x, int y);
    COLORREF setPixel(HDC, int x, int y, COLORREF);

    static COLORREF sysColor(int index);
    static QColor color(COLORREF c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
    static COLORREF colorref(QColor c) { return RGB(c.red(), c.green(), c.blue()); }

    // What tests count: contexts and bitmaps that exist (the stock ones aside).
    int liveDCs() const { return int(dcs_.size()); }
    int liveBitmaps() const;
    // The image of a bitmap (a null image for a zero-sized one).
    const QImage* bitmapImage(HBITMAP) const;
    // Refuses every SelectObject while set (tests make a selection fail).
    bool failSelect = false;

private:
    struct Object {
        DWORD type = 0;
        int width = 0, height = 0;   // bitmaps
        QImage image;                // bitmaps of a non-zero size
        COLORREF colour = 0;         // brushes
        LOGFONTA font;               // fonts
        bool stock = false;
        int selectedIn = 0;          // the context holding a bitmap, 0 for none
    };
    struct Dc {
        bool memory = false;
        HWND window = 0;             // window contexts
        HBITMAP bitmap = 0;          // memory contexts: the selected bitmap
        HBRUSH brush = 0;
        HFONT font = 0;
        COLORREF textColour = 0;
        int bkMode = OPAQUE;
    };
    QImage* target(HDC);

    std::function<HANDLE()> newHandle_;
    std::map<HANDLE, Object> objects_;
    std::map<HDC, Dc> dcs_;
    HBITMAP stockBitmap_ = 0;
    HFONT stockFont_ = 0;
    std::map<int, HBRUSH> sysBrushes_;
};

} // namespace winsys
