// Draws the program's pictures (banners, toolbar background, button pictures,
// status icons) into the folder given as the only argument. Every picture is
// one line of the table below; the drawing is ours, in the program's pale blue.
#include "platform/ui/buttonpictures.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

enum class Kind {
    TopBanner,      // pale blue band with soft waves (stretched to any width, so no text)
    BottomBanner,   // pale blue band fading from the window's colour
    ToolBackground, // the toolbar's band
    Button,         // a rounded button with its caption
    StatusIcon      // a small round icon with one character
};

struct Picture {
    const char* file;   // .bmp or .ico, by the extension
    int width;          // pixels
    int height;
    Kind kind;
    const char* caption;   // a button's caption comes from the table of button pictures
    QRgb colour;        // the button's or icon's main colour
};

// clang-format off
const Picture kPictures[] = {
    {"top.bmp",                 800, 40, Kind::TopBanner,      "",       0xBFD8F5},
    {"bottom.bmp",              800, 44, Kind::BottomBanner,   "",       0x9CC0EA},
    {"toolbg.bmp",              120, 60, Kind::ToolBackground, "",       0xBCD6F4},
    {"ok.bmp",                   75, 25, Kind::Button,         nullptr,   0x3A7BD5},
    {"cancel.bmp",               75, 25, Kind::Button,         nullptr,   0x7A8799},
    {"close.bmp",                75, 25, Kind::Button,         nullptr,   0x7A8799},
    {"save.bmp",                 75, 25, Kind::Button,         nullptr,   0x2E9E6A},
    {"savenew.bmp",              80, 25, Kind::Button,         nullptr, 0x2E9E6A},
    {"add.bmp",                  75, 25, Kind::Button,         nullptr,   0x3A7BD5},
    {"delete.bmp",               75, 25, Kind::Button,         nullptr,   0xC9483C},
    {"modify.bmp",               75, 25, Kind::Button,         nullptr,   0x3A7BD5},
    {"search.bmp",               75, 25, Kind::Button,         nullptr,   0x3A7BD5},
    {"report.bmp",               80, 22, Kind::Button,         nullptr, 0x3A7BD5},
    {"print.bmp",                75, 25, Kind::Button,         nullptr,   0x5B6FB8},
    {"excel.bmp",                75, 25, Kind::Button,         nullptr,   0x2E9E6A},
    {"next.bmp",                 75, 25, Kind::Button,         nullptr, 0x3A7BD5},
    {"back.bmp",                 75, 25, Kind::Button,         nullptr, 0x7A8799},
    {"import.bmp",               75, 25, Kind::Button,         nullptr,   0x2E9E6A},
    {"send.bmp",                 49, 22, Kind::Button,         nullptr,   0x3A7BD5},
    {"clear.bmp",                49, 22, Kind::Button,         nullptr,   0x7A8799},
    {"findsmall.bmp",            24, 24, Kind::StatusIcon,     "查",     0x3A7BD5},
    {"clock.bmp",                16, 16, Kind::StatusIcon,     "时",     0x3A7BD5},
    {"IMSmallToolbarGroup.ico",  16, 16, Kind::StatusIcon,     "记",     0x2E9E6A},
    {"IMSmallToolbarQRing2.ico", 16, 16, Kind::StatusIcon,     "话",     0xD58A1E},
    {"workmode.ico",             16, 16, Kind::StatusIcon,     "机",     0x5B6FB8},
    {"Security_2.ico",           16, 16, Kind::StatusIcon,     "人",     0x3A7BD5},
    {"MsgManagerButton.ico",     16, 16, Kind::StatusIcon,     "线",     0xC9483C},
    // the main window's toolbar pictures
    {"tbadd.bmp",                29, 29, Kind::StatusIcon,     "增",     0x3A7BD5},
    {"tbdelete.bmp",             24, 24, Kind::StatusIcon,     "删",     0xC9483C},
    {"tbcustlist.bmp",           24, 24, Kind::StatusIcon,     "客",     0x2E9E6A},
    {"tblabels.bmp",             24, 24, Kind::StatusIcon,     "封",     0x5B6FB8},
    {"tbprint.bmp",              24, 22, Kind::StatusIcon,     "印",     0x5B6FB8},
    {"tbexcel.bmp",              24, 24, Kind::StatusIcon,     "表",     0x2E9E6A},
    {"tbcalls.bmp",              24, 24, Kind::StatusIcon,     "电",     0xD58A1E},
    // the navigation tree's picture list, numbered 1 to 20
    {"tree01.ico",               16, 16, Kind::StatusIcon,     "夹",     0x7A8799},
    {"tree02.ico",               16, 16, Kind::StatusIcon,     "H",      0x2F5F9F},
    {"tree03.ico",               16, 16, Kind::StatusIcon,     "文",     0x7A8799},
    {"tree04.ico",               16, 16, Kind::StatusIcon,     "星",     0xD58A1E},
    {"tree05.ico",               16, 16, Kind::StatusIcon,     "人",     0x3A7BD5},
    {"tree06.ico",               16, 16, Kind::StatusIcon,     "信",     0x5B6FB8},
    {"tree07.ico",               16, 16, Kind::StatusIcon,     "动",     0xD58A1E},
    {"tree08.ico",               16, 16, Kind::StatusIcon,     "新",     0xD58A1E},
    {"tree09.ico",               16, 16, Kind::StatusIcon,     "新",     0x5B6FB8},
    {"tree10.ico",               16, 16, Kind::StatusIcon,     "单",     0x7A8799},
    {"tree11.ico",               16, 16, Kind::StatusIcon,     "售",     0xC9483C},
    {"tree12.ico",               16, 16, Kind::StatusIcon,     "机",     0x5B6FB8},
    {"tree13.ico",               16, 16, Kind::StatusIcon,     "客",     0x2E9E6A},
    {"tree14.ico",               16, 16, Kind::StatusIcon,     "析",     0x2F5F9F},
    {"tree15.ico",               16, 16, Kind::StatusIcon,     "新",     0x7A8799},
    {"tree16.ico",               16, 16, Kind::StatusIcon,     "服",     0x7A8799},
    {"tree17.ico",               16, 16, Kind::StatusIcon,     "新",     0xC9483C},
    {"tree18.ico",               16, 16, Kind::StatusIcon,     "新",     0x3A7BD5},
    {"tree19.ico",               16, 16, Kind::StatusIcon,     "新",     0x2E9E6A},
    {"tree20.ico",               16, 16, Kind::StatusIcon,     "势",     0x2F5F9F},
    // the about window's picture of the program
    {"about.bmp",                99, 79, Kind::StatusIcon,     "H",      0x2F5F9F},
    // the customer-picker button of the record windows: a card under a magnifier
    {"selectkh.bmp",             24, 24, Kind::StatusIcon,     "查",     0x3A7BD5},
    // the unknown-caller window's three next steps
    {"quickorder.bmp",          223, 32, Kind::Button,         nullptr, 0xD58A1E},
    {"newcustomer.bmp",         224, 34, Kind::Button,         nullptr, 0x2E9E6A},
    {"custcard.bmp",            224, 34, Kind::Button,         nullptr, 0x3A7BD5},
};
// clang-format on

// The windows' background, &HFFF7EF.
const QColor kWindowColour(0xEF, 0xF7, 0xFF);

QFont captionFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void drawTopBanner(QPainter& p, const Picture& pic)
{
    const QRectF area(0, 0, pic.width, pic.height);
    QLinearGradient band(0, 0, 0, pic.height);
    band.setColorAt(0, QColor(pic.colour));
    band.setColorAt(1, kWindowColour);
    p.fillRect(area, band);
    // Two soft waves across the band.
    p.setPen(Qt::NoPen);
    for (int wave = 0; wave < 2; ++wave) {
        QPainterPath path;
        const double base = pic.height * (0.55 + 0.2 * wave);
        path.moveTo(0, base);
        path.cubicTo(pic.width * 0.3, base - 14, pic.width * 0.6, base + 12, pic.width, base - 6);
        path.lineTo(pic.width, pic.height);
        path.lineTo(0, pic.height);
        p.setBrush(QColor(255, 255, 255, 70));
        p.drawPath(path);
    }
}

void drawBottomBanner(QPainter& p, const Picture& pic)
{
    QLinearGradient band(0, 0, 0, pic.height);
    band.setColorAt(0, kWindowColour);
    band.setColorAt(1, QColor(pic.colour));
    p.fillRect(QRectF(0, 0, pic.width, pic.height), band);
    p.setPen(QColor(255, 255, 255, 160));
    p.drawLine(QPointF(0, pic.height * 0.35), QPointF(pic.width, pic.height * 0.35));
}

void drawToolBackground(QPainter& p, const Picture& pic)
{
    QLinearGradient band(0, 0, 0, pic.height);
    band.setColorAt(0, QColor(0xF7, 0xFB, 0xFF));
    band.setColorAt(1, QColor(pic.colour));
    p.fillRect(QRectF(0, 0, pic.width, pic.height), band);
    p.setPen(QColor(pic.colour).darker(115));
    p.drawLine(QPointF(0, pic.height - 0.5), QPointF(pic.width, pic.height - 0.5));
}

void drawButton(QPainter& p, const Picture& pic)
{
    p.fillRect(QRectF(0, 0, pic.width, pic.height), kWindowColour);
    const QRectF face = QRectF(0, 0, pic.width, pic.height).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor colour(pic.colour);
    QLinearGradient shade(0, 0, 0, pic.height);
    shade.setColorAt(0, colour.lighter(145));
    shade.setColorAt(0.5, colour);
    shade.setColorAt(1, colour.darker(115));
    p.setPen(colour.darker(130));
    p.setBrush(shade);
    p.drawRoundedRect(face, pic.height / 3.0, pic.height / 3.0);
    p.setFont(captionFont(pic.height * 11 / 20, true));
    p.setPen(Qt::white);
    p.drawText(face, Qt::AlignCenter, QString::fromUtf8(ui::buttonCaption(pic.file)));
}

void drawStatusIcon(QPainter& p, const Picture& pic)
{
    p.fillRect(QRectF(0, 0, pic.width, pic.height), kWindowColour);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(pic.colour));
    p.drawEllipse(QRectF(0.5, 0.5, pic.width - 1, pic.height - 1));
    p.setFont(captionFont(pic.height * 3 / 4, true));
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, pic.width, pic.height), Qt::AlignCenter, QString::fromUtf8(pic.caption));
}

QImage draw(const Picture& pic)
{
    QImage image(pic.width, pic.height, QImage::Format_RGB32);
    image.fill(kWindowColour);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    switch (pic.kind) {
    case Kind::TopBanner: drawTopBanner(p, pic); break;
    case Kind::BottomBanner: drawBottomBanner(p, pic); break;
    case Kind::ToolBackground: drawToolBackground(p, pic); break;
    case Kind::Button: drawButton(p, pic); break;
    case Kind::StatusIcon: drawStatusIcon(p, pic); break;
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "make_artwork: cannot create %s\n", argv[1]);
        return 1;
    }
    for (const Picture& pic : kPictures) {
        const QString file = QString::fromUtf8(pic.file);
        const QByteArray format = file.endsWith(QStringLiteral(".ico"), Qt::CaseInsensitive) ? "ICO" : "BMP";
        if (!draw(pic).save(folder.filePath(file), format.constData())) {
            std::fprintf(stderr, "make_artwork: cannot write %s\n", pic.file);
            return 1;
        }
    }
    return 0;
}
