#include "tests/sales/salesfixture.h"

#include "common/database.h"
#include "common/sqltext.h"
#include "platform/ui/controlarray.h"
#include "platform/ui/windows.h"
#include "sales/productlookup.h"

namespace {

// A bare window with the rows, its order total and received boxes.
class RowsWindow : public ui::Form {
public:
    RowsWindow(const QString& kind, const linerows::Variant& variant, bool lookup) : ui::Form(kind)
    {
        ui::TextBox* total = addTextBox(QStringLiteral("totalMx"), 960, 1080, 855, 285);
        ui::TextBox* received = addTextBox(QStringLiteral("receivemoney"), 2760, 1080, 735, 285);
        rows_ = new linerows::LineRows(this, variant, total, received);
        if (lookup) lookup_ = std::make_unique<sales::ProductLookup>(rows_);
    }

private:
    linerows::LineRows* rows_;
    std::unique_ptr<sales::ProductLookup> lookup_;
};

void defineRowWindows()
{
    using linerows::Variant;
    ui::Windows::define(QStringLiteral("rowsSalesAdd"), [] {
        Variant variant;
        variant.copyTotalToReceived = true;
        return std::make_unique<RowsWindow>(QStringLiteral("rowsSalesAdd"), variant, true);
    });
    ui::Windows::define(QStringLiteral("rowsSalesDetail"), [] {
        Variant variant;
        variant.layout = linerows::Layout::SalesDetail;
        variant.addsRows = false;
        variant.namesReadOnly = true;
        return std::make_unique<RowsWindow>(QStringLiteral("rowsSalesDetail"), variant, true);
    });
    ui::Windows::define(QStringLiteral("rowsQuote"), [] {
        Variant variant;
        variant.unit = false;
        variant.addsRows = false;
        variant.numberCaption = QStringLiteral("规格型号");
        variant.selIndexText.clear();
        return std::make_unique<RowsWindow>(QStringLiteral("rowsQuote"), variant, false);
    });
    ui::Windows::define(QStringLiteral("rowsPurchase"), [] {
        Variant variant;
        variant.unit = false;
        variant.discount = false;
        variant.addsRows = false;
        variant.numberCaption = QStringLiteral("规格型号");
        variant.nameCaption = QStringLiteral("商品名称");
        return std::make_unique<RowsWindow>(QStringLiteral("rowsPurchase"), variant, false);
    });
}

} // namespace

void SalesTest::SetUp()
{
    ScratchProgram::SetUp();
    defineRowWindows();
}

int SalesTest::addProduct(const QString& name, const QString& number, const QString& price, const QString& unit,
                          const QString& stock)
{
    auto orNull = [](const QString& value) { return value.isEmpty() ? QStringLiteral("null") : value; };
    exec(QStringLiteral("insert into product (product,Product_no,price,dw,KCL) values (%1,%2,%3,%4,%5)")
             .arg(sqltext::quoted(name), sqltext::quoted(number), orNull(price), sqltext::quoted(unit), orNull(stock)));
    return scalar(QStringLiteral("select max(id) from product")).toInt();
}

double SalesTest::stockOf(int productId)
{
    return scalar(QStringLiteral("select KCL from product where id=%1").arg(productId)).toDouble();
}

int SalesTest::addCustomer(const QString& name, const QString& address, const QString& owed, const QString& total,
                           const QString& quantity)
{
    exec(QStringLiteral("insert into company (company_name,company_address,company_connect,company_tel,company_QK,"
                        "company_zje,company_Zsl) values (%1,%2,'王五','010-1234',%3,%4,%5)")
             .arg(sqltext::quoted(name), sqltext::quoted(address), owed, total, quantity));
    return scalar(QStringLiteral("select max(id) from company")).toInt();
}

QString SalesTest::balances(int customerId)
{
    auto rows = database::query(QStringLiteral("select company_QK,company_zje,company_Zsl from company where id=%1").arg(customerId));
    if (rows->eof()) return QStringLiteral("<none>");
    return rows->field(0).toText() + QLatin1Char('/') + rows->field(1).toText() + QLatin1Char('/') + rows->field(2).toText();
}

QString SalesTest::tables()
{
    return dump({"select * from sales order by id", "select * from SalesMX order by id", "select id,KCL from product order by id",
                 "select company_QK,company_zje,company_Zsl from company order by id", "select * from JSQ"});
}

QString SalesTest::dump(const std::vector<const char*>& queries)
{
    QStringList all;
    for (const char* sql : queries) {
        auto rows = database::query(QString::fromLatin1(sql));
        for (; !rows->eof(); rows->moveNext()) {
            QStringList values;
            for (int i = 0; i < rows->fieldCount(); ++i) values << rows->field(i).toText();
            all << values.join(QLatin1Char('|'));
        }
    }
    return all.join(QLatin1Char('\n'));
}

ui::Form* SalesTest::openRows(const QString& kind)
{
    return ui::Windows::open(kind);
}

linerows::LineRows* SalesTest::rowsOf(ui::Form* window)
{
    return window->findChild<linerows::LineRows*>(QStringLiteral("lineRows"));
}

ui::TextBox* SalesTest::box(ui::Form* window, const QString& column, int row)
{
    return ui::element<ui::TextBox>(window, column, row);
}

QString SalesTest::text(ui::Form* window, const QString& column, int row)
{
    ui::TextBox* found = box(window, column, row);
    return found ? found->text() : QStringLiteral("<none>");
}

void SalesTest::type(ui::Form* window, const QString& column, int row, const QString& text)
{
    ui::TextBox* found = box(window, column, row);
    ASSERT_NE(found, nullptr) << column.toStdString() << row;
    found->setText(text);
}

void SalesTest::typeKeys(ui::Form* window, const QString& column, int row, const QString& text)
{
    ui::TextBox* found = box(window, column, row);
    ASSERT_NE(found, nullptr) << column.toStdString() << row;
    for (QChar c : text) found->typeKey(c.unicode());
}

QString SalesTest::boxText(ui::Form* window, const QString& name)
{
    return window->control<ui::TextBox>(name)->text();
}

bool SalesTest::rowExists(ui::Form* window, int row)
{
    return box(window, QStringLiteral("num"), row) != nullptr;
}
