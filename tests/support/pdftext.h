#pragma once
// What a PDF file says, as poppler's pdftotext reads it: per page, the words
// with their boxes, so tests check texts and their places on the paper.
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

struct PdfWord {
    QString text;
    double left = 0, top = 0, right = 0, bottom = 0;   // twips from the page's top-left corner
};

struct PdfPage {
    std::vector<PdfWord> words;   // in reading order
    // The page's words joined by single blanks.
    QString text() const;
    // The page's printed lines from top to bottom: words whose tops lie within
    // 40 twips of each other, left to right, joined by single blanks.
    QStringList lines() const;
    // The first word with this text, or nullptr.
    const PdfWord* find(const QString& text) const;
};

// The pages of the file; empty when pdftotext cannot read it.
std::vector<PdfPage> readPdf(const QString& path);
