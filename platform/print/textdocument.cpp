#include "platform/print/textdocument.h"

#include <QStringList>

namespace print {

namespace {
// A line is one and a third of its font size high.
double lineHeight(const Font& font)
{
    return font.pointSize * kTwipsPerPoint * 4 / 3;
}
} // namespace

TextDocument::TextDocument(const QString& jobName) : jobName_(jobName)
{
    font_.face = QString::fromLatin1(kFixedPitchFamily);
    font_.pointSize = 10;
}

void TextDocument::setFontFace(const QString& face)
{
    font_.face = face;
}

void TextDocument::setFontSize(double points)
{
    font_.pointSize = points;
}

void TextDocument::setBold(bool bold)
{
    font_.bold = bold;
}

void TextDocument::printBlock(const QString& text)
{
    for (const QString& line : text.split(QLatin1Char('\n'))) lines_.push_back({line, font_});
}

Layout TextDocument::layout() const
{
    Layout layout;
    layout.caption = jobName_;
    layout.page.leftMargin = layout.page.rightMargin = 720;
    layout.page.topMargin = layout.page.bottomMargin = 720;
    layout.reportWidth = paperSizeTwips(layout.page.paper).width() - 1440;
    double top = 0;
    int number = 0;
    for (const Line& line : lines_) {
        const double height = lineHeight(line.font);
        if (!line.text.isEmpty())
            layout.reportHeader.fields.push_back(
                label(QStringLiteral("Line%1").arg(++number), line.text, 0, top, layout.reportWidth, height, line.font));
        top += height;
    }
    layout.reportHeader.height = top;
    return layout;
}

Outcome TextDocument::endDoc()
{
    const Report report(layout(), Rows());
    return printOrOfferPdf(report);
}

} // namespace print
