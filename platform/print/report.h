#pragma once
// A layout filled with rows: its pages, painted on paper, into a PDF file, as
// preview images or on the default printer.
#include "platform/print/layout.h"
#include "platform/print/pages.h"
#include "platform/print/rows.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <functional>

namespace print {

// The face every report prints in: it holds the Latin and the Chinese glyphs.
inline constexpr const char* kFontFamily = "WenQuanYi Micro Hei";

class Report {
public:
    Report(Layout layout, Rows rows);
    // The bands point into the layout held here, so a report is not copied.
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    const Layout& layout() const { return layout_; }
    const Rows& rows() const { return rows_; }
    int pageCount() const { return int(pages_.size()); }

    // Paints one page; the painter works in twips from the paper's top-left corner.
    void paintPage(QPainter& painter, int index) const;
    // One page as a picture of the paper at `dotsPerInch`.
    QImage pageImage(int index, double dotsPerInch) const;
    // Every page into a PDF file; false with `error` set when it cannot be written.
    bool writePdf(const QString& path, QString* error = nullptr) const;
    // Every page on the default printer; false with `error` set when there is
    // no printer or the job cannot start.
    bool printOnDefaultPrinter(QString* error = nullptr) const;

private:
    // Paints every page on a paper device whose origin is the paper's corner.
    bool paintAllPages(QPagedPaintDevice& device) const;

    Layout layout_;
    Rows rows_;
    std::vector<Page> pages_;
};

} // namespace print
