#pragma once
// A plain-text print document, printed as a line printer would: blocks of
// text, each ending its line, under the current font face, size and
// emphasis; columns are aligned with spaces, so a fixed-pitch face is used.
// The document goes to the default printer (the print service) when it ends,
// or, without a printer, into a PDF file if the operator wants it.
#include "platform/print/layout.h"
#include "platform/print/printorsave.h"

#include <QString>

namespace print {

// Fixed-pitch face with the Chinese glyphs: a Chinese character takes the
// width of two Latin ones, so spaces align the columns.
inline constexpr const char* kFixedPitchFamily = "WenQuanYi Micro Hei Mono";

class TextDocument {
public:
    explicit TextDocument(const QString& jobName);

    void setFontFace(const QString& face);
    void setFontSize(double points);
    void setBold(bool bold);
    // Prints the text and ends the line; a line feed inside it ends a line too.
    void printBlock(const QString& text);

    // The lines printed so far, in order, with the font each was printed in.
    struct Line {
        QString text;
        Font font;
    };
    const std::vector<Line>& lines() const { return lines_; }
    // The document as a report layout: one label per line, top to bottom.
    Layout layout() const;

    // Ends the document and sends it to the default printer; when it cannot
    // be printed, says why and offers the PDF file (see printOrOfferPdf).
    Outcome endDoc();

private:
    QString jobName_;
    Font font_;
    std::vector<Line> lines_;
};

} // namespace print
