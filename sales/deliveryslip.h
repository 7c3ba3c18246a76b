#pragma once
// The delivery slip of a saved order: a plain-text print in the wide layout
// (headed with the seller's name, closed with the seller's delivery details)
// or in the narrow one. Composed from a slip record, so a later reprint of a
// stored order composes the same slip.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace sales {

inline constexpr const char* kWideOption = "宽行打印";
inline constexpr const char* kNarrowOption = "窄行打印";

struct SlipItem {
    QString name;       // product name
    QString number;     // product number
    QString quantity;
    QString price;
};

struct SlipRecord {
    QString orderNo;
    QString contact;        // the customer's main contact
    QString customerName;
    QString telephone;
    QString address;
    std::vector<SlipItem> items;
    QString total;
    QString received;
    QString printOption;
    // The wide layout's quantity heading; the reprint of a stored order has its own.
    QString quantityCaption = QStringLiteral("       数量 ");
    // The seller, for the wide layout.
    QString sellerName, sellerTel, sellerAddress, note1, note2;
    QDateTime printedAt;
};

// One print block: its font and its lines.
struct SlipBlock {
    double pointSize = 11;
    bool setFace = false;    // the block sets the fixed-pitch face
    bool setBold = false;    // the block switches emphasis (to `bold`)
    bool bold = false;
    QStringList lines;
};

std::vector<SlipBlock> wideSlip(const SlipRecord& slip);
std::vector<SlipBlock> narrowSlip(const SlipRecord& slip);

// Whether the print option names one of the two layouts.
bool printsSlip(const QString& printOption);

// The customer's part of the record from the company row with this id and,
// for the wide layout, the seller's part from DriveInfo; missing rows leave
// their fields empty. False when the row cannot be read: the operator was told
// why, and a slip without its customer or seller is not printed.
bool readCustomer(SlipRecord& slip, int customerId);
bool readSeller(SlipRecord& slip);

enum class SlipResult { NotWanted, Printed, SavedAsPdf, NoPrinter };
// Prints the slip in the layout its print option names; any other option
// prints nothing. A slip that cannot be printed says so in a message that
// offers to save it as a PDF file.
SlipResult PrintDeliverySlip(const SlipRecord& slip);

} // namespace sales
