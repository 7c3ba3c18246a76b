#pragma once
// A banded report layout: page setup and the bands with their fields, every
// length in twips (1/1440 inch) measured from the band's top-left corner.
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <vector>

namespace print {

inline constexpr double kTwipsPerInch = 1440;
inline constexpr double kTwipsPerPoint = 20;

struct Font {
    double pointSize = 9;
    bool bold = false;
    QString face;                 // empty: the reports' own face
};

struct Field {
    enum class Kind { TextBox, Label, Line };
    Kind kind = Kind::Label;
    QString name;                 // "Text1", "Label1", "Line1"
    QString caption;              // a label's fixed text
    QString dataField;            // a text box's column; empty: unbound, prints nothing
    double left = 0, top = 0, width = 0, height = 0;   // a line runs from (left, top) to (left + width, top + height)
    Font font;
};

Field textBox(const QString& name, double left, double top, double width, double height, Font font);
Field label(const QString& name, const QString& caption, double left, double top, double width, double height, Font font);
Field line(const QString& name, double left, double top, double width, double height);

struct Band {
    double height = 0;
    std::vector<Field> fields;
};

struct PageSetup {
    QPageSize paper = QPageSize(QPageSize::A4);   // portrait
    double leftMargin = 1440, topMargin = 1440, rightMargin = 1440, bottomMargin = 1440;
    int columnsAcross = 1;        // detail bands fill a column down the page, then the next one to its right
};

// The paper's width and height in twips.
QSizeF paperSizeTwips(const QPageSize& paper);

struct Layout {
    QString caption;              // the preview window's caption and the print job's name
    double reportWidth = 0;       // width of one column of the printed area
    PageSetup page;
    Band reportHeader;            // once, at the top of the first page
    Band pageHeader;              // at the top of every page, under the report header on the first
    Band detail;                  // once per row
    Band pageFooter;              // at the foot of every page's printable area
    Band reportFooter;            // once, after the last row
};

} // namespace print
