#include "pipeline/chancedetail.h"

#include "common/linekey.h"
#include "common/mymode.h"
#include "common/sqltext.h"
#include "pipeline/quotationrows.h"
#include "platform/ui/windows.h"

namespace pipeline {

namespace {

const char* const kBadTotal = "机会报价非法，不能创建机会";

const EditTexts kTexts{
    "e_chan=1;",
    "您无权修改机会报价资料",
    "机会报价修改操作成功！",
    "机会报价未能保存：该机会报价已在别处被修改或删除，请关闭后重新打开再修改",
    "机会报价未能保存：",
};

} // namespace

ChanceDetail::ChanceDetail() : ChanceWindow(QStringLiteral("ChanceDetail"), true) {}

void ChanceDetail::Form_Load()
{
    // The lines are kept with the header: a save is refused when either was
    // changed elsewhere since the load.
    const bool read =
        chance_.load(QStringLiteral("chance"), Mymode::CurrentRecordId)
        && (!chance_.holds()
            || (chance_.keepAlso(quotationlines::linesSelect(chance_.field(QStringLiteral("indexflag")).toText()))
                && showCustomerOf(chance_.field(QStringLiteral("companyid")))));
    if (!read) refuseSaves();
    fillLists();
    std::vector<quotationlines::Line> stored;
    if (chance_.holds()) {
        auto column = [this](const char* name) { return chance_.field(QString::fromLatin1(name)).toText(); };
        showChoice(QStringLiteral("chance_status"), column("chance_status"));
        showChoice(QStringLiteral("invoicetype"), column("invoicetype"));
        for (const char* box : {"chance_title", "Chance_No", "chance_connect"})
            setBoxText(QString::fromLatin1(box), column(box));
        showChoice(QStringLiteral("chance_percent"), column("chance_percent"));
        for (const char* box : {"salesdate", "competiter", "field1", "field2", "field3"})
            setBoxText(QString::fromLatin1(box), column(box));
        setBoxText(QStringLiteral("QtContent"), column("description"));
        setBoxText(QStringLiteral("field4"), column("chance_CZZ"));
        control<ui::CheckBox>(QStringLiteral("GK"))->setValue(column("chance_GK") == QLatin1String("1") ? 1 : 0);
        if (const auto lines = read ? quotationlines::read(column("indexflag")) : std::nullopt) stored = *lines;
        else refuseSaves();
    }
    quotationrows::show(*rows(), stored);
    // The stored total shows until the first change in a row.
    if (chance_.holds()) setBoxText(QStringLiteral("totalMx"), chance_.field(QStringLiteral("totalmoney")).toText());
}

void ChanceDetail::command1_Click()
{
    const QString storedKey = chance_.holds() ? chance_.field(QStringLiteral("indexflag")).toText() : QString();
    saveEdit(
        chance_, kTexts, [this] { return headerComplete(kBadTotal) && customerExists() && boxesFit(false); },
        [this](db::Recordset& row) {
            writeChance(row, false, QString());
            Mymode::CurrentRecordId = boxText(QStringLiteral("KH_ID")).trimmed().toInt();
        },
        [&](db::Connection& connection) {
            QString lineKey = storedKey;
            // A header without a key gets one: an empty key would tie it to
            // every other key-less header's lines.
            if (lineKey.trimmed().isEmpty()) {
                lineKey = linekey::newLineKey(connection, QStringLiteral("chance"), QStringLiteral("chanceMX"));
                connection.execute(QStringLiteral("update chance set indexflag=") + sqltext::quoted(lineKey)
                                   + QStringLiteral(" where id=") + chance_.field(QStringLiteral("id")).toText());
            }
            quotationlines::remove(connection, QStringLiteral("chanceMX"), storedKey);
            quotationlines::insert(connection, QStringLiteral("chanceMX"), lines(), boxText(QStringLiteral("KH_ID")),
                                   boxText(QStringLiteral("salesdate")), lineKey);
        });
}

void ChanceDetail::OpenConvertToOrder()
{
    ui::Windows::unload(this);
    ui::Windows::open(QStringLiteral("becomeOrder"));
}

} // namespace pipeline
