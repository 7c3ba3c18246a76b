#include "platform/winsys/qtpopup.h"

#include "platform/winsys/api.h"
#include "platform/winsys/qtsystem.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace winsys {

namespace {

// A popup of the loop: it only hands its events to the loop.
class PopupWidget : public QWidget {
public:
    explicit PopupWidget(QtMenuLoop& loop) : QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint), loop_(loop)
    {
        setMouseTracking(true);
        setAttribute(Qt::WA_DeleteOnClose, false);
        setObjectName(QStringLiteral("winsysPopupMenu"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        loop_.paint(this, p);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        const QString text = e->text();
        loop_.key(QtSystem::virtualKey(e->key()), text.isEmpty() ? QChar() : text[0]);
    }
    void mouseMoveEvent(QMouseEvent* e) override { loop_.mouseMove(e->globalPosition().toPoint()); }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton) loop_.press(e->globalPosition().toPoint());
    }
    void closeEvent(QCloseEvent* e) override
    {
        // Qt closes a popup on a click outside it: the menu closes too.
        loop_.cancel();
        QWidget::closeEvent(e);
    }

private:
    QtMenuLoop& loop_;
};

constexpr int kArrowWidth = 12;

// A right-pointing triangle at the right end of an item's row.
void drawSubmenuArrow(QPainter& painter, const QRect& row, const QColor& colour)
{
    const int right = row.right() - 6, middle = row.center().y();
    const QPoint triangle[] = {QPoint(right - 3, middle - 3), QPoint(right, middle), QPoint(right - 3, middle + 3)};
    painter.save();
    painter.setPen(colour);
    painter.setBrush(colour);
    painter.drawPolygon(triangle, 3);
    painter.restore();
}

} // namespace

QtMenuLoop::QtMenuLoop(QtSystem& system, HWND owner, bool systemMenu)
    : system_(system), owner_(owner), menuFlag_(systemMenu ? MF_SYSMENU : 0)
{
}

QtMenuLoop::~QtMenuLoop()
{
    while (!open_.empty()) closeInnermost();
}

bool QtMenuLoop::filtered(UINT msg, WPARAM wParam, QPoint global)
{
    MSG m;
    m.hwnd = owner_;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = MAKELPARAM(global.x(), global.y());
    m.pt = POINT{global.x(), global.y()};
    try {
        return system_.callHooks(WH_MSGFILTER, MSGF_MENU, 0, reinterpret_cast<LPARAM>(&m)) != 0;
    } catch (...) {
        return false;
    }
}

void QtMenuLoop::open(HMENU menu, int position, QPoint at)
{
    system_.deliver(owner_, WM_INITMENUPOPUP, WPARAM(menu), MAKELPARAM(position, menuFlag_ && open_.empty() ? 1 : 0));
    System::Menu* m = system_.menu(menu);
    if (!m) return;
    Open popup;
    popup.menu = menu;
    const QFontMetrics metrics(QApplication::font());
    int width = 60, y = 2;
    for (const System::MenuItem& item : m->items) {
        int w = metrics.horizontalAdvance(QString::fromLocal8Bit(item.text.c_str()).remove('&')) + 40;
        int h = (item.type & MFT_SEPARATOR) ? 8 : metrics.height() + 6;
        if (item.type & MFT_OWNERDRAW) {
            MEASUREITEMSTRUCT mis;
            mis.CtlType = ODT_MENU;
            mis.itemID = item.id;
            mis.itemData = item.data;
            system_.deliver(owner_, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            w = int(mis.itemWidth);
            h = int(mis.itemHeight);
        }
        if (item.sub) w += kArrowWidth;   // the arrow gets its own room beside the text
        popup.rects.emplace_back(2, y, 0, h);
        width = std::max(width, w);
        y += h;
    }
    for (QRect& r : popup.rects) r.setWidth(width);
    auto* widget = new PopupWidget(*this);
    widget->setGeometry(at.x(), at.y(), width + 4, y + 2);
    popup.widget = widget;
    open_.push_back(popup);
    widget->show();
}

void QtMenuLoop::paint(QWidget* widget, QPainter& painter)
{
    for (Open& popup : open_) {
        if (popup.widget != widget) continue;
        painter.fillRect(widget->rect(), Gdi::color(Gdi::sysColor(COLOR_MENU)));
        System::Menu* m = system_.menu(popup.menu);
        if (!m) return;
        // Owner-drawn items draw into a context over a picture of the popup.
        Gdi& gdi = system_.gdi();
        const HDC dc = gdi.createCompatibleDC(0);
        const HBITMAP bitmap = gdi.createBitmap(widget->width(), widget->height());
        const HGDIOBJ old = gdi.selectObject(dc, bitmap);
        {
            QImage* image = const_cast<QImage*>(gdi.bitmapImage(bitmap));
            if (image && !image->isNull()) image->fill(Gdi::color(Gdi::sysColor(COLOR_MENU)));
        }
        for (size_t i = 0; i < m->items.size() && i < popup.rects.size(); ++i) {
            const System::MenuItem item = m->items[i];
            const QRect& r = popup.rects[i];
            if (item.type & MFT_OWNERDRAW) {
                DRAWITEMSTRUCT dis;
                dis.CtlType = ODT_MENU;
                dis.itemID = item.id;
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = (item.state & MFS_HILITE ? ODS_SELECTED : 0) | (item.state & MFS_GRAYED ? ODS_GRAYED : 0);
                dis.hwndItem = popup.menu;
                dis.hDC = dc;
                dis.rcItem = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                dis.itemData = item.data;
                system_.deliver(owner_, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
                m = system_.menu(popup.menu);
                if (!m) break;
            } else if (item.type & MFT_SEPARATOR) {
                RECT line{r.left() + 4, r.center().y(), r.right() - 4, r.center().y() + 2};
                gdi.drawEdge(dc, line, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
            } else {
                if (item.state & MFS_HILITE) {
                    RECT all{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                    gdi.fillRect(dc, all, gdi.sysColorBrush(COLOR_HIGHLIGHT));
                }
                gdi.setBkMode(dc, TRANSPARENT);
                gdi.setTextColor(dc, Gdi::sysColor(item.state & MFS_HILITE ? COLOR_HIGHLIGHTTEXT : (item.state & MFS_GRAYED) ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
                RECT text{r.left() + 20, r.top(), r.right(), r.bottom() + 1};
                gdi.drawText(dc, item.text.substr(0, item.text.find('\t')), &text, DT_SINGLELINE | DT_VCENTER);
            }
        }
        if (const QImage* image = gdi.bitmapImage(bitmap)) painter.drawImage(0, 0, *image);
        // The system draws the arrow of a submenu item over what the owner drew.
        for (size_t i = 0; m && i < m->items.size() && i < popup.rects.size(); ++i) {
            const System::MenuItem& item = m->items[i];
            if (!item.sub) continue;
            const bool light = (item.state & MFS_HILITE) && !(item.type & MFT_OWNERDRAW);
            drawSubmenuArrow(painter, popup.rects[i], Gdi::color(Gdi::sysColor(light ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
        }
        gdi.selectObject(dc, old);
        gdi.deleteObject(bitmap);
        gdi.deleteDC(dc);
        return;
    }
}

int QtMenuLoop::itemAt(const Open& popup, QPoint global) const
{
    if (!popup.widget) return -1;
    const QPoint local = popup.widget->mapFromGlobal(global);
    for (size_t i = 0; i < popup.rects.size(); ++i)
        if (popup.rects[i].contains(local)) return int(i);
    return -1;
}

void QtMenuLoop::select(int position)
{
    if (open_.empty()) return;
    Open& popup = open_.back();
    System::Menu* m = system_.menu(popup.menu);
    if (!m || position < 0 || position >= int(m->items.size())) return;
    for (System::MenuItem& item : m->items) item.state &= ~MFS_HILITE;
    System::MenuItem& item = m->items[size_t(position)];
    item.state |= MFS_HILITE;
    popup.selected = position;
    const UINT flags = MF_HILITE | menuFlag_ | (item.sub ? MF_POPUP : 0) | (item.type & MFT_OWNERDRAW ? MF_OWNERDRAW : 0);
    const HMENU menu = popup.menu;
    system_.deliver(owner_, WM_MENUSELECT, MAKEWPARAM(item.sub ? position : int(item.id), int(flags)), LPARAM(menu));
    if (!open_.empty() && open_.back().widget) open_.back().widget->update();
}

void QtMenuLoop::choose(int position)
{
    if (open_.empty()) return;
    System::MenuItem* item = system_.menuItem(open_.back().menu, UINT(position), true);
    if (!item) return;
    if (item->sub) {
        const HMENU sub = item->sub;
        select(position);
        const QRect r = open_.back().rects[size_t(position)];
        open(sub, position, open_.back().widget->mapToGlobal(QPoint(r.right(), r.top())));
        return;
    }
    if (item->state & MFS_GRAYED) return;
    chosen_ = true;
    command_ = item->id;
    finish();
}

void QtMenuLoop::closeInnermost()
{
    if (open_.empty()) return;
    if (System::Menu* m = system_.menu(open_.back().menu))
        for (System::MenuItem& item : m->items) item.state &= ~MFS_HILITE;
    // The popup may be handling the event that closes it: it goes once that is over.
    if (QWidget* widget = open_.back().widget) {
        widget->hide();
        widget->deleteLater();
    }
    open_.pop_back();
}

void QtMenuLoop::finish()
{
    done_ = true;
    loop_.quit();
}

void QtMenuLoop::cancel() { finish(); }

void QtMenuLoop::key(int vk, QChar text)
{
    if (done_ || open_.empty()) return;
    if (vk && filtered(WM_KEYDOWN, WPARAM(vk), QPoint())) return;
    Open& top = open_.back();
    const int n = GetMenuItemCount(top.menu);
    switch (vk) {
    case VK_ESCAPE:
    case VK_LEFT:
        if (open_.size() > 1) closeInnermost();
        else if (vk == VK_ESCAPE) finish();
        return;
    case VK_DOWN:
    case VK_UP:
        for (int i = 1; i <= n; ++i) {
            const int step = vk == VK_DOWN ? 1 : -1;
            const int candidate = ((top.selected < 0 ? (step > 0 ? -1 : 0) : top.selected) + step * i + 2 * n) % n;
            System::MenuItem* item = system_.menuItem(top.menu, UINT(candidate), true);
            if (item && !(item->type & MFT_SEPARATOR)) {
                select(candidate);
                return;
            }
        }
        return;
    case VK_RIGHT:
        if (top.selected >= 0 && GetSubMenu(top.menu, top.selected)) choose(top.selected);
        return;
    case VK_RETURN:
        if (top.selected >= 0) choose(top.selected);
        return;
    default:
        break;
    }
    if (text.isNull() || !text.isPrint()) return;
    if (filtered(WM_CHAR, WPARAM(text.unicode()), QPoint())) return;
    System::Menu* m = system_.menu(top.menu);
    const QString accel = QStringLiteral("&") + text.toUpper();
    for (size_t i = 0; m && i < m->items.size(); ++i)
        if (QString::fromLocal8Bit(m->items[i].text.c_str()).toUpper().contains(accel)) {
            choose(int(i));
            return;
        }
    const LRESULT answer = system_.deliver(owner_, WM_MENUCHAR, MAKEWPARAM(text.unicode(), int(MF_POPUP | menuFlag_)), LPARAM(top.menu));
    if (HIWORD(answer) == MNC_EXECUTE) choose(LOWORD(answer));
    else if (HIWORD(answer) == MNC_SELECT) select(LOWORD(answer));
    else if (HIWORD(answer) == MNC_CLOSE) finish();
}

void QtMenuLoop::mouseMove(QPoint global)
{
    if (done_ || filtered(WM_MOUSEMOVE, 0, global) || open_.empty()) return;
    const int under = itemAt(open_.back(), global);
    if (under >= 0 && under != open_.back().selected) select(under);
}

void QtMenuLoop::press(QPoint global)
{
    if (done_ || filtered(WM_LBUTTONDOWN, 1, global)) return;
    for (size_t i = open_.size(); i-- > 0;) {
        const int under = itemAt(open_[i], global);
        if (under < 0) continue;
        while (open_.size() > i + 1) closeInnermost();
        choose(under);
        return;
    }
    finish();   // a click outside every popup
}

bool QtMenuLoop::run(HMENU menu, int x, int y)
{
    open(menu, 0, QPoint(x, y));
    if (open_.empty()) return false;
    if (!done_) loop_.exec();
    while (!open_.empty()) closeInnermost();
    return chosen_;
}

} // namespace winsys
