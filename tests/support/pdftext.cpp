#include "tests/support/pdftext.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>
#include <algorithm>

QString PdfPage::text() const
{
    QStringList texts;
    for (const PdfWord& word : words)
        texts.append(word.text);
    return texts.join(QLatin1Char(' '));
}

QStringList PdfPage::lines() const
{
    std::vector<PdfWord> sorted = words;
    std::sort(sorted.begin(), sorted.end(), [](const PdfWord& a, const PdfWord& b) { return a.top < b.top; });
    std::vector<std::vector<PdfWord>> rows;
    for (const PdfWord& word : sorted) {
        if (rows.empty() || word.top - rows.back().front().top > 40)
            rows.emplace_back();
        rows.back().push_back(word);
    }
    QStringList lines;
    for (auto& row : rows) {
        std::sort(row.begin(), row.end(), [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
        QStringList texts;
        for (const PdfWord& word : row)
            texts.append(word.text);
        lines.append(texts.join(QLatin1Char(' ')));
    }
    return lines;
}

const PdfWord* PdfPage::find(const QString& text) const
{
    for (const PdfWord& word : words) {
        if (word.text == text)
            return &word;
    }
    return nullptr;
}

std::vector<PdfPage> readPdf(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(60000) || pdftotext.exitCode() != 0)
        return {};

    constexpr double kTwipsPerPoint = 20;
    std::vector<PdfPage> pages;
    QXmlStreamReader xml(pdftotext.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("page")) {
            pages.emplace_back();
        } else if (xml.name() == QLatin1String("word") && !pages.empty()) {
            const auto at = [&](const char* name) { return xml.attributes().value(QLatin1String(name)).toDouble() * kTwipsPerPoint; };
            PdfWord word;
            word.left = at("xMin");
            word.top = at("yMin");
            word.right = at("xMax");
            word.bottom = at("yMax");
            word.text = xml.readElementText();
            pages.back().words.push_back(word);
        }
    }
    return pages;
}
