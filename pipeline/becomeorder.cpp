#include "pipeline/becomeorder.h"

#include "common/database.h"
#include "common/datecheck.h"
#include "common/linekey.h"
#include "common/mymode.h"
#include "common/recordscope.h"
#include "common/savefailure.h"
#include "pipeline/quotationrows.h"
#include "pipeline/rowwriting.h"
#include "platform/db/locale.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace pipeline {

namespace {

using rowwriting::Kind;

const char* const kNoSummary = "销售概述不能为空";
const char* const kNoCustomerName = "客户名称不能为空";
const char* const kNoContact = "联系人不能为空";
const char* const kBadTotal = "销售产品非法，不能创建订单合同";
const char* const kBadReminder = "催款日期非法，不能创建订单合同";
const char* const kNoSuchCustomer = "公司名不存在";
const char* const kConverted = "订单录入操作成功！";
const char* const kStale = "订单未能创建：该机会报价已在别处被修改或删除，请关闭后重新打开再转换";
const char* const kNotConverted = "订单未能创建：";

// The order's boxes and their columns of `sales`, in the order they are written.
const rowwriting::Box kReminder[] = {{"CkDate", "ckdate", Kind::Text}};
const rowwriting::Box kOrder[] = {
    {"sales_title", "sales_title", Kind::Text},
    {"orderno", "orderno", Kind::Text},
    {"sales_connect", "sales_connect", Kind::Text},
    {"salesdate", "salesdate", Kind::Date},
    {"moneytype", "moneytype", Kind::Text},
    {"totalMx", "totlemoney", Kind::Number},
    {"invoicetype", "invoicetype", Kind::Text},
    {"receivemoney", "receivemoney", Kind::Number},
    {"invoicemoney", "invoicemoney", Kind::Number},
    {"HtContent", "description", Kind::Text},
    {"field1", "field1", Kind::Text},
    {"field2", "field2", Kind::Text},
    {"field3", "field3", Kind::Text},
    {"field4", "field4", Kind::Text},
};

// The header boxes the quotation fills, and its columns.
const std::pair<const char*, const char*> kFromQuotation[] = {
    {"sales_title", "chance_title"}, {"orderno", "Chance_No"},        {"sales_connect", "chance_connect"},
    {"salesdate", "salesdate"},      {"receivemoney", "totalmoney"}, {"invoicemoney", "totalmoney"},
    {"HtContent", "description"},    {"field1", "field1"},            {"field2", "field2"},
    {"field3", "field3"},            {"field4", "field4"},
};

constexpr double kFrameTop = 4440;
constexpr double kFrameHeight = 2880;

} // namespace

BecomeOrder::BecomeOrder() : RecordWindow(QStringLiteral("becomeOrder"))
{
    setCaption(QStringLiteral("机会报价转订单"));
    setSizeTwips(7500, 9390);
    const double half = 2370, amount = 2010;
    const double second = kSecondLabelLeft;
    auto amountBox = [&](const QString& caption, const QString& name, int row) {
        addField(caption, name, second, rowTop(row), amount)->setAlignment(Qt::AlignRight);
        addLabel(QStringLiteral("yuan_") + name, QStringLiteral("元"), second + kLabelWidth + amount + 60,
                 rowTop(row) + 30, 300, 255);
    };

    addField(QStringLiteral("销售概述"), QStringLiteral("sales_title"), kLabelLeft, rowTop(1), half);
    addField(QStringLiteral("合同/订单 号"), QStringLiteral("orderno"), second, rowTop(1), half);
    addList(QStringLiteral("相关客户"), QStringLiteral("CustName"), kLabelLeft, rowTop(2), half);
    addField(QStringLiteral("联 系 人"), QStringLiteral("sales_connect"), second, rowTop(2), half);
    addField(QStringLiteral("销售日期"), QStringLiteral("salesdate"), kLabelLeft, rowTop(3), half);
    amountBox(QStringLiteral("订单金额"), QStringLiteral("totalMx"), 3);
    addList(QStringLiteral("币    种"), QStringLiteral("moneytype"), kLabelLeft, rowTop(4), half);
    amountBox(QStringLiteral("收款金额"), QStringLiteral("receivemoney"), 4);
    addList(QStringLiteral("发票类型"), QStringLiteral("invoicetype"), kLabelLeft, rowTop(5), half);
    amountBox(QStringLiteral("开票金额"), QStringLiteral("invoicemoney"), 5);
    addLabel(QStringLiteral("lbl_HtContent"), QStringLiteral("合同内容"), kLabelLeft, rowTop(6) + 30, kLabelWidth, 255);
    addTextArea(QStringLiteral("HtContent"), kLabelLeft + kLabelWidth, rowTop(6), 5970, 735);
    addField(QStringLiteral("自定义字段1"), QStringLiteral("field1"), kLabelLeft, rowTop(8), half);
    addField(QStringLiteral("自定义字段2"), QStringLiteral("field2"), second, rowTop(8), half);
    addField(QStringLiteral("自定义字段3"), QStringLiteral("field3"), kLabelLeft, rowTop(9), half);
    addField(QStringLiteral("自定义字段4"), QStringLiteral("field4"), second, rowTop(9), half);

    rows_ = new linerows::LineRows(this, quotationrows::variant(QStringLiteral("销售产品"), kFrameTop, kFrameHeight, true),
                                   control<ui::TextBox>(QStringLiteral("totalMx")));
    rows_->description.setWiring([](ui::TextBox* box, int) { box->setReadOnly(true); });

    const double below = kFrameTop + kFrameHeight + 120;
    ui::CheckBox* reminder = addCheckBox(QStringLiteral("ckflag"), QStringLiteral("收款提醒"), kLabelLeft, below, 1140,
                                         kBoxHeight);
    reminder->onClick = [this] { ckflag_Click(); };
    addLabel(QStringLiteral("Label25"), QStringLiteral("自"), 1320, below + 30, 240, 255)->setVisible(false);
    addTextBox(QStringLiteral("CkDate"), 1560, below, 1215, kBoxHeight)->setVisible(false);
    addLabel(QStringLiteral("Label26"), QStringLiteral("提醒"), 2835, below + 30, 480, 255)->setVisible(false);

    addButton(QStringLiteral("command1"), QStringLiteral("bmp/save.bmp"), QStringLiteral("保存"), 5640, below,
              [this] { command1_Click(); });
    addButton(QStringLiteral("command2"), QStringLiteral("bmp/close.bmp"), QStringLiteral("关闭"), 6495, below,
              [this] { command2_Click(); });
}

void BecomeOrder::ChanceTotalMx()
{
    rows_->ChanceTotalMx();
}

void BecomeOrder::Form_Load()
{
    // A quotation not read whole (the operator was told why) is not converted:
    // the conversion removes the quotation and its lines.
    // The lines are kept with the quotation: the conversion is refused when
    // either was changed elsewhere since the load.
    bool read = quotation_.load(QStringLiteral("chance"), Mymode::CurrentRecordId)
                && (!quotation_.holds()
                    || quotation_.keepAlso(
                        quotationlines::linesSelect(quotation_.field(QStringLiteral("indexflag")).toText())));
    const bool found = quotation_.holds();
    read = read && fillCustomers(found ? quotation_.field(QStringLiteral("companyid")) : db::Variant());
    fillList(QStringLiteral("invoicetype"), QStringLiteral("select * from invoice"), QStringLiteral("invoice"));
    auto* currency = control<ui::ComboBox>(QStringLiteral("moneytype"));
    for (const char* name : {"人民币", "美元", "港币", "台币", "欧元"}) currency->addItem(QString::fromUtf8(name));

    std::vector<quotationlines::Line> lines;
    if (found) {
        showChoice(QStringLiteral("invoicetype"), quotation_.field(QStringLiteral("invoicetype")).toText());
        for (const auto& [box, column] : kFromQuotation)
            setBoxText(QString::fromLatin1(box), quotation_.field(QString::fromLatin1(column)).toText());
        std::optional<std::vector<quotationlines::Line>> stored;
        if (read) stored = quotationlines::read(quotation_.field(QStringLiteral("indexflag")).toText());
        if (stored) lines = *stored;
        else read = false;
    }
    if (!read) refuseSaves();
    quotationrows::show(*rows_, lines);
    // The stored total shows until the first change in a row; the received
    // and invoiced amounts keep it.
    if (found) setBoxText(QStringLiteral("totalMx"), quotation_.field(QStringLiteral("totalmoney")).toText());
}

bool BecomeOrder::fillCustomers(const db::Variant& quotationCustomer)
{
    auto* names = control<ui::ComboBox>(QStringLiteral("CustName"));
    if (!database::read([&] {
            auto customers = database::query(QStringLiteral("select id,company_name") + recordscope::customerClause());
            for (; !customers->eof(); customers->moveNext()) {
                customerIds_.push_back(customers->field(QStringLiteral("id")).toLong());
                names->addItem(customers->field(QStringLiteral("company_name")).toText());
            }
        }))
        return false;
    if (!db::isNumeric(quotationCustomer)) return true;
    for (std::size_t entry = 0; entry < customerIds_.size(); ++entry) {
        if (customerIds_[entry] != quotationCustomer.toLong()) continue;
        names->setListIndex(static_cast<int>(entry));
        break;
    }
    return true;
}

void BecomeOrder::ckflag_Click()
{
    const bool on = ticked(QStringLiteral("ckflag"));
    for (const char* name : {"Label25", "Label26"}) control<ui::Label>(QString::fromLatin1(name))->setVisible(on);
    control<ui::TextBox>(QStringLiteral("CkDate"))->setVisible(on);
    if (on) setBoxText(QStringLiteral("CkDate"), db::locale::shortDate(db::locale::now().date().addDays(7)));
}

bool BecomeOrder::orderComplete()
{
    auto refuse = [](const char* message) {
        ui::msgBox(QString::fromUtf8(message));
        return false;
    };
    if (db::trimBlanks(boxText(QStringLiteral("sales_title"))).isEmpty()) return refuse(kNoSummary);
    if (db::trimBlanks(boxText(QStringLiteral("CustName"))).isEmpty()) return refuse(kNoCustomerName);
    if (db::trimBlanks(boxText(QStringLiteral("sales_connect"))).isEmpty()) return refuse(kNoContact);
    // "0" is compared as text: "0.00" passes.
    const QString total = db::trimBlanks(boxText(QStringLiteral("totalMx")));
    if (total.isEmpty() || total == QLatin1String("0") || !linerows::isNumber(total)) return refuse(kBadTotal);
    // The order and its lines are selected by their sale date in the sales reports.
    const QString badDate = datecheck::requiredRefusal(QStringLiteral("销售日期"), boxText(QStringLiteral("salesdate")));
    if (!badDate.isEmpty()) {
        ui::msgBox(badDate);
        return false;
    }
    if (ticked(QStringLiteral("ckflag")) && !db::isDate(db::trimBlanks(boxText(QStringLiteral("CkDate")))))
        return refuse(kBadReminder);
    return boxesFit();
}

bool BecomeOrder::boxesFit() const
{
    std::vector<columnrules::Box> boxes = checkedBoxes(QStringLiteral("sales"), kOrder);
    if (ticked(QStringLiteral("ckflag")))
        for (const columnrules::Box& box : checkedBoxes(QStringLiteral("sales"), kReminder)) boxes.push_back(box);
    for (const columnrules::Box& box :
         quotationlines::checkedBoxes(QStringLiteral("SalesMX"), quotationrows::linesOf(*rows_)))
        boxes.push_back(box);
    return fit(boxes);
}

std::optional<qint64> BecomeOrder::chosenCustomer() const
{
    const int entry = control<ui::ComboBox>(QStringLiteral("CustName"))->listIndex();
    bool exists = false;
    const bool listed = entry >= 0 && entry < static_cast<int>(customerIds_.size());
    const qint64 id = listed ? customerIds_[static_cast<std::size_t>(entry)] : 0;
    if (listed && !database::read([&] {
            exists = !database::query(QStringLiteral("select id from company where id=") + QString::number(id))->eof();
        }))
        return std::nullopt;
    if (!exists) {
        ui::msgBox(QString::fromUtf8(kNoSuchCustomer));
        return std::nullopt;
    }
    return id;
}

void BecomeOrder::writeOrder(db::Recordset& order, qint64 customerId, const QString& lineKey) const
{
    rowwriting::write(order, kOrder, [this](const char* box) { return boxText(QString::fromLatin1(box)); });
    order.setField(QStringLiteral("companyid"), static_cast<std::int64_t>(customerId));
    const bool reminder = ticked(QStringLiteral("ckflag"));
    order.setField(QStringLiteral("ckflag"), reminder ? 1 : 0);
    if (reminder) rowwriting::write(order, kReminder, [this](const char* box) { return boxText(QString::fromLatin1(box)); });
    order.setField(QStringLiteral("indexflag"), lineKey);
    order.setField(QStringLiteral("createtime"), db::locale::shortDate(db::locale::now().date()));
}

void BecomeOrder::command1_Click()
{
    if (!orderComplete()) return;
    const std::optional<qint64> customer = chosenCustomer();
    if (!customer) return;
    const auto lines = quotationrows::linesOf(*rows_);
    std::optional<db::Error> failure;
    const keptrow::Outcome outcome = quotation_.change(
        [&](db::Connection& connection, db::Recordset& quotation) {
            const QString lineKey = linekey::newLineKey(connection, QStringLiteral("sales"), QStringLiteral("SalesMX"));
            db::Recordset order;
            order.open(QStringLiteral("select * from sales"), connection, db::CursorType::Static,
                       db::LockType::Optimistic);
            order.addNew();
            writeOrder(order, *customer, lineKey);
            order.update();
            quotationlines::insert(connection, QStringLiteral("SalesMX"), lines, QString::number(*customer),
                                   boxText(QStringLiteral("salesdate")), lineKey);
            quotationlines::remove(connection, QStringLiteral("chanceMX"),
                                   quotation.field(QStringLiteral("indexflag")).toText());
            quotation.deleteRow();
        },
        &failure);
    switch (outcome) {
    case keptrow::Outcome::Stale: ui::msgBox(QString::fromUtf8(kStale)); return;
    case keptrow::Outcome::Failed:
        ui::msgBox(savefailure::text(QString::fromUtf8(kNotConverted), *failure, savefailure::Reason::Shown));
        return;
    case keptrow::Outcome::Saved: break;
    }
    ui::msgBox(QString::fromUtf8(kConverted));
    ui::Windows::unload(this);
}

void BecomeOrder::command2_Click()
{
    ui::Windows::unload(this);
}

} // namespace pipeline
