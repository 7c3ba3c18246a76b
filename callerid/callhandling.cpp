// One caller ID: the number cleaned and published, the caller-ID options, the
// contact match, the call-log row, the pop-up and the status strip, then
// today's calls listed again.
#include "callerid/dsrormat.h"
#include "callerid/execsql.h"
#include "callerid/gtmain.h"
#include "callerid/numbermatch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

#include <QRegularExpression>

namespace callerid {

namespace {

constexpr int kShortNumber = 7;     // fewer digits get an "X"
constexpr int kShortestLogged = 5;  // characters, "X" included

const QStringList kContactNumbers = {QStringLiteral("tel"), QStringLiteral("fax"), QStringLiteral("mobil"),
                                     QStringLiteral("hometel")};

// The ASCII digits of the box's text, in their order; everything else
// (NULs, separators, letters, full-width digits) is dropped.
QString digitsOf(const QByteArray& text)
{
    QString digits;
    for (const char c : text)
        if (c >= '0' && c <= '9') digits += QLatin1Char(c);
    return digits;
}

QString callTime()
{
    return QStringLiteral("来电时间:") + db::locale::now().toString(QStringLiteral("HH:mm"));
}

} // namespace

void GtMain::HandleCallerID(const QByteArray& callerIdText)
{
    // 1.-2. Clean-up and the short-number mark.
    TelNo_ = digitsOf(callerIdText);
    if (TelNo_.size() < kShortNumber) TelNo_ += QLatin1Char('X');

    // 3. Options; the filter characters are read with them and not applied.
    QString outLine;
    QString isPop;
    readCallerIdOptions(outLine, isPop);

    // 4.-5. The outside-line prefix, then the number is published.
    if (!outLine.isEmpty() && TelNo_.left(1) == outLine) TelNo_.remove(0, 1);
    PhoneID_ = TelNo_;

    // 6. Too short to be a caller.
    if (TelNo_.trimmed().isEmpty() || TelNo_.size() < kShortestLogged) return;

    // 8. The contact: a failed query counts as no match.
    const QString number = TelNo_.trimmed();
    QString contactName;
    std::int32_t companyId = 0;
    bool known = false;
    database::guarded([&] {
        auto connection = database::openMain();
        const auto contactId = numbermatch::bestId(*connection, QStringLiteral("KH_LXR"), kContactNumbers, number);
        if (!contactId) return;
        db::Recordset contact;
        contact.open(QStringLiteral("select * from KH_LXR where id=") + QString::number(*contactId), *connection);
        if (contact.eof()) return;
        contactName = contact.field(QStringLiteral("Connect_name")).toText();
        const db::Variant company = contact.field(QStringLiteral("companyid"));
        companyId = company.isNullOrEmpty() ? 0 : static_cast<std::int32_t>(company.toLong());
        known = true;
    });

    if (known) {
        // 9. A known caller.
        writeCallRow(contactName);
        Label1[2]->setVisible(false);
        Label1[5]->setVisible(true);
        if (isPop == QLatin1String("1")) showKnownCaller(companyId);
    } else {
        // 10. An unknown caller.
        writeCallRow(QString());
        if (isPop == QLatin1String("1") && ui::Windows::isDefined(QStringLiteral("GtNewNo")))
            ui::Windows::openNew(QStringLiteral("GtNewNo"));
        QString area;
        const bool named = database::guarded([&] { area = AreaOfNumber(PhoneID_); });
        writeStatusStrip(named ? std::optional<QString>(area) : std::nullopt);
    }

    // 11. Today's calls. Within a tick the list is filled once the tick has
    // ended, so the caller's card shows without waiting for it.
    hvDay->setText(dSrormat::FormatShortDate(db::locale::now().date(), true));
    if (PollBusy == 1)
        dayListDue_ = true;
    else
        refreshDayCalls();
}

void GtMain::readCallerIdOptions(QString& outLine, QString& isPop)
{
    database::guarded([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        // FlterChar is kept with these options but filters nothing.
        outLine = settings->field(QStringLiteral("OutLine")).toText();
        isPop = settings->field(QStringLiteral("isPop")).toText();
        RecordFlag_ = settings->field(QStringLiteral("RecordFlag")).toText();
    });
}

// The number as the call log holds it: a caller ID longer than the number
// column (a noisy line) is logged cut to the column rather than not at all.
// The width is read from the table's definition, so that a file made with
// another width is served too; once per data file, as it does not change
// from call to call.
QString GtMain::loggedNumber(const QString& number)
{
    if (callerIdWidthOf_ != Mymode::ConnectString) {
        callerIdWidth_ = -1;
        const bool read = database::guarded([&] {
            auto column = database::query(QStringLiteral("select type from pragma_table_info('Hv_Cidlist') where name='CallerID'"));
            if (column->eof()) return;
            static const QRegularExpression declared(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
            const QRegularExpressionMatch match = declared.match(column->field(0).toText());
            if (match.hasMatch()) callerIdWidth_ = match.captured(1).toInt();
        });
        // A definition that cannot be read now is read again with the next call.
        if (read) callerIdWidthOf_ = Mymode::ConnectString;
    }
    return callerIdWidth_ < 0 ? number : number.left(callerIdWidth_);
}

// The call-log row is written whole or not at all. An area that cannot be
// looked up leaves the area empty; the row is still written.
void GtMain::writeCallRow(const QString& userName)
{
    db::Variant area = db::Variant::null();
    if (PhoneID_.startsWith(QLatin1String("010")))
        area = QStringLiteral("北京市");
    else
        database::guarded([&] { area = AreaOfNumber(PhoneID_); });
    database::guarded([&] {
        // Opened only to add a row: no stored call is read.
        std::shared_ptr<db::Recordset> log = Const::ExecSql(QStringLiteral("select * from HV_Cidlist where 1=0"));
        if (!log) return;
        log->addNew();
        try {
            log->setField(QStringLiteral("DateTime"), db::locale::now());
            log->setField(QStringLiteral("CallerID"), loggedNumber(TelNo_));
            if (!userName.isNull()) log->setField(QStringLiteral("UserNO"), userName);
            log->setField(QStringLiteral("CidName"), Mymode::OperatorName);
            log->setField(QStringLiteral("CIDarea"), area);
            log->update();
        } catch (const db::Error&) {
            log->cancelUpdate();
            throw;
        }
    });
}

// The caller's customer card pops up as a new window. A contact whose
// customer cannot be read pops up nothing (the card would otherwise show the
// customer of an earlier call).
void GtMain::showKnownCaller(std::int32_t companyId)
{
    QString companyName;
    std::int32_t customerId = 0;
    const bool found = database::guarded([&] {
        auto company = database::query(QStringLiteral("select id,company_name from company where id= ")
                                       + QString::number(companyId));
        if (company->eof()) throw db::Error(QStringLiteral("no customer"));
        customerId = static_cast<std::int32_t>(company->field(QStringLiteral("id")).toLong());
        companyName = company->field(QStringLiteral("company_name")).toText();
    });
    if (!found) return;
    writeStatusStrip(companyName);
    Mymode::CurrentRecordId = customerId;
    if (ui::Windows::isDefined(QStringLiteral("frmCustDetail"))) ui::Windows::openNew(QStringLiteral("frmCustDetail"));
}

// The caller in the main window's status strip (only a loaded main window);
// without a text, the customer-or-area label keeps what it showed.
void GtMain::writeStatusStrip(const std::optional<QString>& customerOrArea)
{
    setMainLabel(QStringLiteral("RecTel"), PhoneID_);
    setMainLabel(QStringLiteral("Label15"), callTime());
    if (customerOrArea) setMainLabel(QStringLiteral("Label14"), *customerOrArea);
}

void GtMain::setMainLabel(const QString& name, const QString& text)
{
    ui::Form* mainWindow = ui::Windows::loaded(QStringLiteral("frmMain"));
    if (!mainWindow || !mainWindow->hasControl(name)) return;
    mainWindow->control<ui::Label>(name)->setCaption(text);
}

} // namespace callerid
