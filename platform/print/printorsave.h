#pragma once
// A printout that is never lost: it goes to the default printer, and when
// there is none the operator is told so and offered to keep it as a PDF file.
#include "platform/print/report.h"

namespace print {

// The folder beside the program that the PDF files are offered in.
inline constexpr const char* kPdfFolder = "Printouts";

enum class Outcome { Printed, SavedAsPdf, NotPrinted };

// Prints the report through the print service. When that fails, the message
// (under `title`) gives the reason and asks whether to save the printout as a
// PDF file; on yes the operator names the file, suggested in the folder beside
// the program under the report's caption and the time, and it is written.
Outcome printOrOfferPdf(const Report& report, const QString& title = QString());

} // namespace print
