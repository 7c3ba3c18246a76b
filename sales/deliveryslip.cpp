#include "sales/deliveryslip.h"

#include "common/database.h"
#include "common/displaywidth.h"
#include "platform/db/locale.h"
#include "platform/print/textdocument.h"

namespace sales {

namespace {

const char* const kJobName = "商品配送单";

constexpr int kWideRule = 69;
constexpr int kNarrowRule = 38;
constexpr int kWideItemLines = 4;

QString spaces(int count)
{
    return QString(count, QLatin1Char(' '));
}

QString rule(int length)
{
    return QString(length, QLatin1Char('-'));
}

} // namespace

std::vector<SlipBlock> wideSlip(const SlipRecord& slip)
{
    SlipBlock seller{16, true, true, true, {QString(), spaces(8) + slip.sellerName}};
    SlipBlock title{14, false, false, true, {QString(), spaces(17) + QStringLiteral("  商品配送单")}};

    SlipBlock body{11, false, true, false, {}};
    body.lines << QString() << spaces(42) + QStringLiteral("NO:") + slip.orderNo
               << QStringLiteral("联系人:") + fillByLength(slip.contact, 5) + QStringLiteral("客户地址:") + slip.address
                      + QStringLiteral(" 打印时间:") + slip.printedAt.toString(QStringLiteral("yy-MM-dd HH:mm"))
               << rule(kWideRule)
               << QStringLiteral("  产品名称   ") + QStringLiteral("      规  格      ") + slip.quantityCaption
                      + QStringLiteral("         单价")
               << rule(kWideRule);
    for (const SlipItem& item : slip.items)
        body.lines << fillByWidth(item.name, 18) + fillByWidth(item.number, 18) + fillByLength(item.quantity, 11) + item.price;
    for (int shown = int(slip.items.size()); shown < kWideItemLines; ++shown) body.lines << QString();
    body.lines << rule(kWideRule)
               << QStringLiteral("总  计：") + slip.total + QStringLiteral(" 元     收款:") + slip.received
               << QStringLiteral("配送员：") + spaces(11) + QStringLiteral("客户电话：") + slip.telephone
               << QStringLiteral("配送电话:") + slip.sellerTel + QStringLiteral("  供应地址:") + slip.sellerAddress
                      + QStringLiteral(" 用户签收:");

    // The footnotes: an empty block prints one empty line.
    SlipBlock notes{9, false, false, false, {QString()}};
    for (const QString& note : {slip.note1, slip.note2})
        if (!note.trimmed().isEmpty()) notes.lines << QStringLiteral("  ") + note;
    return {seller, title, body, notes};
}

std::vector<SlipBlock> narrowSlip(const SlipRecord& slip)
{
    SlipBlock body{11, false, false, false, {}};
    body.lines << QString() << QStringLiteral("打印时间：") + db::locale::generalDate(slip.printedAt)
               << QStringLiteral("订单号：") + slip.orderNo << QStringLiteral("客户名称：") + slip.customerName
               << QStringLiteral("客户电话：") + slip.telephone << QStringLiteral("送货地址：") + slip.address << QString()
               << QStringLiteral(" 产品名称") + QStringLiteral("   规格    ") + QStringLiteral("数量") + QStringLiteral("  单价")
               << rule(kNarrowRule);
    for (const SlipItem& item : slip.items)
        body.lines << fillByWidth(item.name, 12) + fillByWidth(item.number, 8) + fillByLength(item.quantity, 5) + item.price;
    body.lines << rule(kNarrowRule) << QStringLiteral("总计：") + slip.total + QStringLiteral(" 元     收款:") + slip.received
               << QString() << QString();
    return {body};
}

bool printsSlip(const QString& printOption)
{
    return printOption == QString::fromUtf8(kWideOption) || printOption == QString::fromUtf8(kNarrowOption);
}

bool readCustomer(SlipRecord& slip, int customerId)
{
    return database::read([&] {
        auto row = database::query(QStringLiteral("select * from Company where id=") + QString::number(customerId));
        if (row->eof()) return;
        slip.contact = row->field(QStringLiteral("company_connect")).toText();
        slip.customerName = row->field(QStringLiteral("company_name")).toText();
        slip.telephone = row->field(QStringLiteral("company_tel")).toText();
        slip.address = row->field(QStringLiteral("company_address")).toText();
    });
}

bool readSeller(SlipRecord& slip)
{
    return database::read([&] {
        auto row = database::query(QStringLiteral("select * from DriveInfo"));
        if (row->eof()) return;
        slip.sellerName = row->field(QStringLiteral("KH_name")).toText();
        slip.sellerTel = row->field(QStringLiteral("KH_tel")).toText();
        slip.sellerAddress = row->field(QStringLiteral("KH_add")).toText();
        slip.note1 = row->field(QStringLiteral("des1")).toText();
        slip.note2 = row->field(QStringLiteral("des2")).toText();
    });
}

SlipResult PrintDeliverySlip(const SlipRecord& slip)
{
    std::vector<SlipBlock> blocks;
    if (slip.printOption == QString::fromUtf8(kWideOption))
        blocks = wideSlip(slip);
    else if (slip.printOption == QString::fromUtf8(kNarrowOption))
        blocks = narrowSlip(slip);
    else
        return SlipResult::NotWanted;

    print::TextDocument document(QString::fromUtf8(kJobName));
    for (const SlipBlock& block : blocks) {
        // The wide layout's face stands for 黑体; the narrow one keeps the document's own fixed-pitch face.
        if (block.setFace) document.setFontFace(QString::fromLatin1(print::kFixedPitchFamily));
        document.setFontSize(block.pointSize);
        if (block.setBold) document.setBold(block.bold);
        document.printBlock(block.lines.join(QLatin1Char('\n')));
    }
    switch (document.endDoc()) {
    case print::Outcome::Printed: return SlipResult::Printed;
    case print::Outcome::SavedAsPdf: return SlipResult::SavedAsPdf;
    case print::Outcome::NotPrinted: break;
    }
    return SlipResult::NoPrinter;
}

} // namespace sales
