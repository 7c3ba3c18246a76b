#include "callerid/gtnewno.h"

#include "callerid/numberarea.h"
#include "common/callerhandover.h"
#include "common/callmonitor.h"
#include "common/customercard.h"
#include "common/customerpick.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/ui/desktop.h"
#include "platform/ui/looks.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace callerid {

namespace {

const char* const kUnknownCustomer = "未知客户";
const char* const kNoArea = "--";
const char* const kNoCompany = "公司名不存在";
const char* const kNoContacts = "找不到该客户的联系人记录，请从联系人管理功能里手工添加联系人记录！";
const char* const kNumberAdded = "电话已成功加入";
const char* const kNotAdded = "加入失败，可能是客户电话已满或导入资料格式不符，请手动加入";
const char* const kNotStored = "电话没有加入";

constexpr quint32 kGrey = 0x808080;

// The contact's number columns: searched in this order for the number, and
// filled in the other order with it.
const char* const kSearchedColumns[] = {"tel", "fax", "hometel", "mobil"};
const char* const kFilledColumns[] = {"tel", "mobil", "hometel", "fax"};

CallMonitor* monitor()
{
    return ui::Windows::loaded<CallMonitor>(QStringLiteral("GtMain"));
}

} // namespace

GtNewNo::GtNewNo() : CallerNotice(QStringLiteral("GtNewNo"), 4740)
{
    addLabel(QStringLiteral("Label1(6)"), QStringLiteral("来电地区:"), 960, 1440, 1095, 255);
    // The area reaches to the number's right edge and takes two lines: a
    // mobile block's area and carrier ("江苏常州--中国移动" and longer) is read whole.
    ui::Label* area = addLabel(QStringLiteral("Label4"), QString::fromUtf8(kUnknownCustomer), 2160, 1320, 4815, 795);
    ui::setForeColor(area, 0xFF0000);
    ui::setFontOf(area, font().family(), 13.5, true);
    addLabel(QStringLiteral("Label1(1)"), QStringLiteral("您可以进行以下操作:"), 480, 2160, 2535, 255);

    auto grey = [this](const char* name, const char* caption, double top) {
        ui::setForeColor(addLabel(QString::fromLatin1(name), QString::fromUtf8(caption), 3960, top, 2895, 495), kGrey);
    };
    addPictureButton(QStringLiteral("Image2"), QStringLiteral("bmp/quickorder.bmp"), 480, 2520, 3345, 480)->onClick =
        [this] { Image2_Click(); };
    grey("Label1(3)", "创建客户的同时，也可以同时做配送记录", 2520);

    // The customer-card button and the new-customer button share one
    // rectangle; the new-customer button lies above, so it takes the click,
    // as the description shown beside them says.
    addPictureButton(QStringLiteral("Image7"), QStringLiteral("bmp/custcard.bmp"), 480, 3120, 3360, 510)->onClick =
        [this] { Image7_Click(); };
    addPictureButton(QStringLiteral("Image1"), QStringLiteral("bmp/newcustomer.bmp"), 480, 3120, 3360, 510)->onClick =
        [this] { Image1_Click(); };
    control<ui::PictureButton>(QStringLiteral("Image1"))->raise();
    grey("Label1(2)", "创建一个新的客户档案,并将此号码增加入号码表中", 3225);
    grey("Label1(5)", "显示详细客户资料，及相关的客户操作记录", 3240);

    addPictureButton(QStringLiteral("Image3"), QStringLiteral("bmp/close.bmp"), 1800, 3840, 750, 285)->onClick =
        [this] { Image3_Click(); };
    addTextBox(QStringLiteral("KH_ID"), 5760, 3720, 1095, 285);
    // The holders of the skin's banners; the bottom one carries the add-number procedure.
    addPictureButton(QStringLiteral("Image5"), QString(), 0, 0, 0, 0);
    addPictureButton(QStringLiteral("Image4"), QString(), 0, 3000, 510, 660)->onClick = [this] { Image4_Click(); };
    // Ticks with nothing to do.
    addTimer(QStringLiteral("Timer1"), 1000, true);
}

void GtNewNo::Form_Load()
{
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    control<ui::Label>(QStringLiteral("Label1(5)"))->setVisible(false);
    control<ui::Label>(QStringLiteral("Label1(2)"))->setVisible(true);
    ui::Label* time = control<ui::Label>(QStringLiteral("Label3"));
    time->setVisible(true);
    time->setCaption(db::locale::generalDate(db::locale::now()));
    control<ui::PictureButton>(QStringLiteral("Image4"))->setVisible(false);
    CallMonitor* callMonitor = monitor();
    showCaller(callMonitor ? callMonitor->PhoneID() : QString(), callMonitor ? callMonitor->TelNo() : QString());
}

void GtNewNo::showCaller(const QString& phoneId, const QString& telNo)
{
    control<ui::TextBox>(QStringLiteral("ldhm"))->setText(db::trimBlanks(phoneId));
    control<ui::Label>(QStringLiteral("Label4"))->setCaption(QString::fromUtf8(kUnknownCustomer));
    const QString area = areaText(db::trimBlanks(telNo));
    if (!area.isEmpty()) control<ui::Label>(QStringLiteral("Label4"))->setCaption(area);
}

// The area rules of the number-area lookup, with this window's differences: a
// number that is empty or does not begin with a digit gives "--" (the call
// monitor's numbers are digits, so such a number is shorter than a mobile
// number block); a "02" number without a city keeps "未知客户" (the empty
// result); a number-area database that cannot be read gives "--".
QString GtNewNo::areaText(const QString& number) const
{
    if (number.isEmpty() || !number.at(0).isDigit()) return QString::fromLatin1(kNoArea);
    QString looked = number;
    try {
        return numberarea::AreaOfNumber(looked);
    } catch (const db::Error&) {
        return QString::fromLatin1(kNoArea);
    }
}

void GtNewNo::Image1_Click()
{
    callerhandover::open(QStringLiteral("frmCustAdd"), shownCaller());
    ui::Windows::unload(this);
}

void GtNewNo::Image2_Click()
{
    callerhandover::open(QStringLiteral("frmNewCust"), shownCaller());
    ui::Windows::unload(this);
}

callerhandover::Caller GtNewNo::shownCaller() const
{
    return {control<ui::TextBox>(QStringLiteral("ldhm"))->text(), control<ui::Label>(QStringLiteral("Label4"))->caption()};
}

void GtNewNo::Image3_Click()
{
    ui::Windows::unload(this);
}

void GtNewNo::Image7_Click()
{
    customercard::open(Mymode::CurrentRecordId);
}

void GtNewNo::OpenCustomerPicker()
{
    customerpick::open(this);
}

void GtNewNo::Image4_Click()
{
    const QString customer = control<ui::TextBox>(QStringLiteral("KH_ID"))->text();
    if (customer.isEmpty()) {
        ui::msgBox(QString::fromUtf8(kNoCompany));
        return;
    }
    CallMonitor* callMonitor = monitor();
    const QString number = callMonitor ? db::trimBlanks(callMonitor->TelNo()) : QString();
    bool added = false;
    std::optional<db::Error> failure;
    database::guarded([&] {
        // The id goes into the statement as a number: other text reads no customer.
        bool isId = false;
        const qint64 id = db::trimBlanks(customer).toLongLong(&isId);
        if (!isId) return;
        auto connection = database::openMain();
        db::Recordset contact;
        contact.open(QStringLiteral("select * from KH_LXR where companyid=") + QString::number(id), *connection,
                     db::CursorType::Static, db::LockType::Optimistic);
        if (contact.eof()) {
            ui::msgBox(QString::fromUtf8(kNoContacts));
            return;
        }
        for (const char* column : kSearchedColumns) {
            const QString stored = contact.field(QString::fromLatin1(column)).toText();
            if (!stored.isEmpty() && stored.contains(number)) {
                added = true;
                return;
            }
        }
        // The first empty column takes the number; a column with no value at
        // all does not count as empty.
        for (const char* column : kFilledColumns) {
            const db::Variant value = contact.field(QString::fromLatin1(column));
            if (value.isNull() || !db::trimBlanks(value.toText()).isEmpty()) continue;
            try {
                contact.setField(QString::fromLatin1(column), number);
                contact.update();
                added = true;
            } catch (const db::Error&) {
                database::guarded([&contact] { contact.cancelUpdate(); });
                throw;
            }
            break;
        }
        if (!added) ui::msgBox(QString::fromUtf8(kNotAdded));
    }, failure);
    // A contact that could not be read or changed now is said so, not that it is full.
    if (failure) ui::msgBox(savefailure::text(QString::fromUtf8(kNotStored), *failure));
    if (!added) return;
    ui::msgBox(QString::fromUtf8(kNumberAdded));
    control<ui::PictureButton>(QStringLiteral("Image4"))->setVisible(false);
    ui::Windows::unload(this);
}

void GtNewNo::Form_Paint()
{
    skin::paint(this, skin::BottomOffset::ByTopPicture);
}

} // namespace callerid
