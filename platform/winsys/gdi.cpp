#include "platform/winsys/gdi.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <cstring>

namespace winsys {

namespace {

// The classic desktop scheme, as 0xRRGGBB.
constexpr uint32_t schemeRgb[COLOR_COUNT] = {
    0xC8D0D4, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
    0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A, 0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080, 0x000000, 0xD4D0C8,
    0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1, 0xB5B5B5, 0x000080, 0xA6CAF0, 0xC0C0C0, 0x316AC5,
    0xECE9D8,
};

QRect qrect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

} // namespace

Gdi::Gdi(std::function<HANDLE()> newHandle) : newHandle_(std::move(newHandle))
{
    stockBitmap_ = createBitmap(1, 1);
    objects_[stockBitmap_].stock = true;
    LOGFONTA system;
    system.lfHeight = -11;
    system.lfWeight = FW_NORMAL;
    std::strcpy(system.lfFaceName, "MS Sans Serif");
    stockFont_ = createFont(system);
    objects_[stockFont_].stock = true;
}

COLORREF Gdi::sysColor(int index)
{
    if (index < 0 || index >= COLOR_COUNT) return 0;
    const uint32_t rgb = schemeRgb[index];
    return RGB(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

HDC Gdi::createDisplayDC()
{
    const HDC h = newHandle_();
    dcs_[h] = Dc{};
    return h;
}

HDC Gdi::createCompatibleDC(HDC)
{
    const HDC h = newHandle_();
    Dc dc;
    dc.memory = true;
    dc.bitmap = stockBitmap_;
    dcs_[h] = dc;
    return h;
}

HDC Gdi::windowDC(HWND hwnd)
{
    const HDC h = newHandle_();
    Dc dc;
    dc.window = hwnd;
    dcs_[h] = dc;
    return h;
}

bool Gdi::deleteDC(HDC hdc)
{
    auto it = dcs_.find(hdc);
    if (it == dcs_.end()) return false;
    if (it->second.memory) {
        auto bmp = objects_.find(it->second.bitmap);
        if (bmp != objects_.end() && bmp->second.selectedIn == hdc) bmp->second.selectedIn = 0;
    }
    dcs_.erase(it);
    return true;
}

bool Gdi::releaseDC(HWND hwnd, HDC hdc)
{
    auto it = dcs_.find(hdc);
    if (it == dcs_.end() || it->second.window != hwnd || it->second.memory) return false;
    dcs_.erase(it);
    if (surfaceChanged) surfaceChanged(hwnd);
    return true;
}

HBITMAP Gdi::createBitmap(int width, int height)
{
    if (width < 0 || height < 0) return 0;
    Object o;
    o.type = OBJ_BITMAP;
    o.width = width;
    o.height = height;
    if (width > 0 && height > 0) {
        o.image = QImage(width, height, QImage::Format_RGB32);
        o.image.fill(Qt::black);
    }
    const HBITMAP h = newHandle_();
    objects_[h] = std::move(o);
    return h;
}

HBITMAP Gdi::createBitmapFrom(const QImage& image)
{
    const HBITMAP h = createBitmap(image.width(), image.height());
    if (h && !image.isNull()) objects_[h].image = image.convertToFormat(QImage::Format_RGB32);
    return h;
}

HBRUSH Gdi::createSolidBrush(COLORREF colour)
{
    Object o;
    o.type = OBJ_BRUSH;
    o.colour = colour;
    const HBRUSH h = newHandle_();
    objects_[h] = o;
    return h;
}

HBRUSH Gdi::sysColorBrush(int index)
{
    if (index < 0 || index >= COLOR_COUNT) return 0;
    auto it = sysBrushes_.find(index);
    if (it != sysBrushes_.end()) return it->second;
    const HBRUSH h = createSolidBrush(sysColor(index));
    objects_[h].stock = true;
    sysBrushes_[index] = h;
    return h;
}

bool Gdi::deleteObject(HGDIOBJ h)
{
    auto it = objects_.find(h);
    if (it == objects_.end()) return false;
    if (it->second.stock) return true;
    if (it->second.selectedIn) return false;   // still selected into a context
    for (auto& [_, dc] : dcs_) {
        if (dc.brush == h) dc.brush = 0;
        if (dc.font == h) dc.font = 0;
    }
    objects_.erase(it);
    return true;
}

HGDIOBJ Gdi::selectObject(HDC hdc, HGDIOBJ h)
{
    if (failSelect) return 0;
    auto dc = dcs_.find(hdc);
    auto obj = objects_.find(h);
    if (dc == dcs_.end() || obj == objects_.end()) return 0;
    if (obj->second.type == OBJ_BITMAP) {
        if (!dc->second.memory) return 0;
        if (obj->second.selectedIn && obj->second.selectedIn != hdc) return 0;
        const HBITMAP old = dc->second.bitmap;
        auto oldObj = objects_.find(old);
        if (oldObj != objects_.end()) oldObj->second.selectedIn = 0;
        dc->second.bitmap = h;
        if (h != stockBitmap_) obj->second.selectedIn = hdc;
        return old;
    }
    if (obj->second.type == OBJ_FONT) {
        const HFONT old = dc->second.font;
        dc->second.font = h;
        return old ? old : stockFont_;
    }
    if (obj->second.type == OBJ_BRUSH) {
        const HBRUSH old = dc->second.brush;
        dc->second.brush = h;
        return old ? old : sysColorBrush(COLOR_WINDOW);
    }
    return 0;
}

int Gdi::getObject(HGDIOBJ h, int size, void* out)
{
    auto it = objects_.find(h);
    if (it == objects_.end() || it->second.type != OBJ_BITMAP || size < int(sizeof(BITMAP)) || !out) return 0;
    BITMAP bm;
    bm.bmWidth = it->second.width;
    bm.bmHeight = it->second.height;
    bm.bmWidthBytes = it->second.width * 4;
    bm.bmPlanes = 1;
    bm.bmBitsPixel = 32;
    std::memcpy(out, &bm, sizeof bm);
    return int(sizeof bm);
}

DWORD Gdi::objectType(HGDIOBJ h) const
{
    if (auto it = objects_.find(h); it != objects_.end()) return it->second.type;
    if (auto it = dcs_.find(h); it != dcs_.end()) return it->second.memory ? OBJ_MEMDC : OBJ_DC;
    return 0;
}

int Gdi::liveBitmaps() const
{
    int n = 0;
    for (const auto& [_, o] : objects_)
        if (o.type == OBJ_BITMAP && !o.stock) ++n;
    return n;
}

const QImage* Gdi::bitmapImage(HBITMAP h) const
{
    auto it = objects_.find(h);
    return it == objects_.end() || it->second.type != OBJ_BITMAP ? nullptr : &it->second.image;
}

QImage* Gdi::target(HDC hdc)
{
    auto dc = dcs_.find(hdc);
    if (dc == dcs_.end()) return nullptr;
    QImage* image = nullptr;
    if (dc->second.memory) {
        auto bmp = objects_.find(dc->second.bitmap);
        if (bmp != objects_.end()) image = &bmp->second.image;
    } else if (dc->second.window && windowSurface) {
        image = windowSurface(dc->second.window);
    }
    return image && !image->isNull() ? image : nullptr;
}

bool Gdi::bitBlt(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, DWORD rop)
{
    if (rop != SRCCOPY || !dcs_.count(dst) || !dcs_.count(src)) return false;
    QImage* to = target(dst);
    QImage* from = target(src);
    if (!to || !from || w <= 0 || h <= 0) return true;
    const QImage piece = from->copy(sx, sy, w, h);   // a copy, so a context may copy onto itself
    QPainter p(to);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(x, y, piece);
    return true;
}

int Gdi::fillRect(HDC hdc, const RECT& r, HBRUSH brush)
{
    auto b = objects_.find(brush);
    if (b == objects_.end() || b->second.type != OBJ_BRUSH) return 0;
    if (QImage* image = target(hdc)) {
        QPainter p(image);
        p.fillRect(qrect(r), color(b->second.colour));
    }
    return dcs_.count(hdc) ? 1 : 0;
}

bool Gdi::drawEdge(HDC hdc, const RECT& rect, UINT edge, UINT flags)
{
    if (!dcs_.count(hdc)) return false;
    QImage* image = target(hdc);
    if (!image) return true;
    QPainter p(image);
    // One ring per border kind: its top-left and bottom-right colours.
    auto ring = [&](RECT r, int topLeft, int bottomRight) {
        const QColor tl = color(sysColor(topLeft)), br = color(sysColor(bottomRight));
        if (flags & BF_LEFT) p.fillRect(QRect(r.left, r.top, 1, r.bottom - r.top), tl);
        if (flags & BF_TOP) p.fillRect(QRect(r.left, r.top, r.right - r.left, 1), tl);
        if (flags & BF_RIGHT) p.fillRect(QRect(r.right - 1, r.top, 1, r.bottom - r.top), br);
        if (flags & BF_BOTTOM) p.fillRect(QRect(r.left, r.bottom - 1, r.right - r.left, 1), br);
    };
    RECT r = rect;
    if (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
        if (edge & BDR_RAISEDOUTER) ring(r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
        else ring(r, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
        r = RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    }
    if (edge & BDR_RAISEDINNER) ring(r, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
    else if (edge & BDR_SUNKENINNER) ring(r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
    return true;
}

bool Gdi::drawCaption(HDC hdc, const RECT& rect, const std::string& text, UINT flags)
{
    if (!dcs_.count(hdc)) return false;
    QImage* image = target(hdc);
    if (!image) return true;
    const bool active = flags & DC_ACTIVE;
    QPainter p(image);
    const QRect r = qrect(rect);
    p.fillRect(r, color(sysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION)));
    int left = r.left() + 2;
    if (flags & DC_ICON) {
        const int side = std::max(0, r.height() - 4);
        p.fillRect(QRect(left, r.top() + 2, side, side), color(sysColor(COLOR_BTNFACE)));
        left += side + 4;
    }
    if (flags & DC_TEXT) {
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(std::max(1, r.height() - 6));
        p.setFont(font);
        p.setPen(color(sysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT)));
        p.drawText(QRect(left, r.top(), r.right() - left, r.height()), Qt::AlignVCenter | Qt::AlignLeft,
                   QString::fromLocal8Bit(text.c_str()));
    }
    return true;
}

bool Gdi::drawFrameControl(HDC hdc, const RECT& rect, UINT kind, UINT state)
{
    if (!dcs_.count(hdc) || kind != DFC_CAPTION) return false;
    QImage* image = target(hdc);
    if (!image) return true;
    {
        QPainter p(image);
        p.fillRect(qrect(rect), color(sysColor(COLOR_BTNFACE)));
    }
    drawEdge(hdc, rect, (state & DFCS_PUSHED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    QPainter p(image);
    p.setPen(color(sysColor(COLOR_BTNTEXT)));
    const QRect r = qrect(rect).adjusted(4, 3, -5, -4);
    switch (state & 0xFF) {
    case DFCS_CAPTIONCLOSE:
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    case DFCS_CAPTIONMIN:
        p.fillRect(QRect(r.left(), r.bottom() - 1, r.width() / 2 + 1, 2), p.pen().color());
        break;
    case DFCS_CAPTIONMAX:
        p.drawRect(r);
        p.drawLine(r.left(), r.top() + 1, r.right(), r.top() + 1);
        break;
    case DFCS_CAPTIONRESTORE:
        p.drawRect(r.adjusted(0, r.height() / 3, -r.width() / 3, 0));
        p.drawRect(r.adjusted(r.width() / 3, 0, 0, -r.height() / 3));
        break;
    default:
        break;
    }
    return true;
}

HFONT Gdi::createFont(const LOGFONTA& font)
{
    Object o;
    o.type = OBJ_FONT;
    o.font = font;
    o.font.lfFaceName[31] = '\0';
    const HFONT h = newHandle_();
    objects_[h] = o;
    return h;
}

bool Gdi::fontOf(HFONT h, LOGFONTA* out) const
{
    auto it = objects_.find(h);
    if (it == objects_.end() || it->second.type != OBJ_FONT) return false;
    if (out) *out = it->second.font;
    return true;
}

COLORREF Gdi::setTextColor(HDC hdc, COLORREF colour)
{
    auto dc = dcs_.find(hdc);
    if (dc == dcs_.end()) return COLORREF(-1);
    const COLORREF old = dc->second.textColour;
    dc->second.textColour = colour;
    return old;
}

int Gdi::setBkMode(HDC hdc, int mode)
{
    auto dc = dcs_.find(hdc);
    if (dc == dcs_.end()) return 0;
    const int old = dc->second.bkMode;
    dc->second.bkMode = mode;
    return old;
}

QFont Gdi::qfont(const LOGFONTA& lf)
{
    QFont font(QString::fromLocal8Bit(lf.lfFaceName));
    // A negative height is the character height, a positive one the cell height.
    const int pixels = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight > 0 ? std::max(1, lf.lfHeight * 4 / 5) : 11;
    font.setPixelSize(std::max(1, pixels));
    font.setWeight(lf.lfWeight >= FW_BOLD ? QFont::Bold : QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    return font;
}

int Gdi::drawText(HDC hdc, const std::string& text, RECT* rect, UINT flags)
{
    auto dc = dcs_.find(hdc);
    if (dc == dcs_.end() || !rect) return 0;
    LOGFONTA lf;
    fontOf(dc->second.font ? dc->second.font : stockFont_, &lf);
    const QFont font = qfont(lf);
    const QFontMetrics metrics(font);
    const QString string = QString::fromLocal8Bit(text.c_str());
    const int mnemonic = (flags & DT_NOPREFIX) ? 0 : int(Qt::TextShowMnemonic);
    const QRect measured = metrics.boundingRect(QRect(0, 0, 100000, 100000), Qt::TextSingleLine | mnemonic, string);
    const int height = metrics.height();
    if (flags & DT_CALCRECT) {
        rect->right = rect->left + measured.width();
        rect->bottom = rect->top + height;
        return height;
    }
    textLog.push_back(TextCall{text, *rect, flags, dc->second.textColour, lf});
    QImage* image = target(hdc);
    if (!image) return height;
    QPainter p(image);
    const QRect box(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    const QColor colour = color(dc->second.textColour);
    int align = (flags & DT_CENTER) ? Qt::AlignHCenter : (flags & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    align |= ((flags & DT_VCENTER) && (flags & DT_SINGLELINE)) ? Qt::AlignVCenter : Qt::AlignTop;
    if (QString::fromLocal8Bit(lf.lfFaceName) == QLatin1String("Marlett") && (string == "b" || string == "h")) {
        // The check and radio marks, centred in a square of the font's height.
        const int side = std::min({font.pixelSize(), box.width(), box.height()});
        const QRect mark = QStyle::alignedRect(Qt::LeftToRight, Qt::Alignment(align), QSize(side, side), box);
        p.setRenderHint(QPainter::Antialiasing);
        if (string == "h") {
            p.setBrush(colour);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(mark).adjusted(side * 0.3, side * 0.3, -side * 0.3, -side * 0.3));
        } else {
            p.setPen(QPen(colour, std::max(1.5, side / 8.0)));
            p.drawPolyline(QPolygonF({QPointF(mark.left() + side * 0.2, mark.top() + side * 0.5),
                                      QPointF(mark.left() + side * 0.42, mark.top() + side * 0.72),
                                      QPointF(mark.left() + side * 0.8, mark.top() + side * 0.28)}));
        }
        return height;
    }
    QString shown = string;
    if (flags & DT_END_ELLIPSIS) shown = metrics.elidedText(string, Qt::ElideRight, box.width(), mnemonic);
    if (dc->second.bkMode == OPAQUE)
        p.fillRect(QStyle::alignedRect(Qt::LeftToRight, Qt::Alignment(align), QSize(measured.width(), height), box), Qt::white);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(box, align | Qt::TextSingleLine | mnemonic, shown);
    return height;
}

COLORREF Gdi::getPixel(HDC hdc, int x, int y)
{
    QImage* image = target(hdc);
    if (!image || !image->rect().contains(x, y)) return COLORREF(-1);
    return colorref(image->pixelColor(x, y));
}

COLORREF Gdi::setPixel(HDC hdc, int x, int y, COLORREF c)
{
    QImage* image = target(hdc);
    if (!image || !image->rect().contains(x, y)) return COLORREF(-1);
    image->setPixelColor(x, y, color(c));
    return c;
}

} // namespace winsys
