#pragma once
// Products, customers and line-row windows for the tests of this folder.
#include "tests/support/scratch.h"

#include "common/linerows.h"
#include "platform/ui/form.h"

class SalesTest : public ScratchProgram {
protected:
    void SetUp() override;

    // Inserts a product and returns its id; an empty price or stock stores no value.
    int addProduct(const QString& name, const QString& number, const QString& price = QStringLiteral("12.5"),
                   const QString& unit = QStringLiteral("个"), const QString& stock = QStringLiteral("10"));
    double stockOf(int productId);
    // Inserts a customer; balances are SQL literals ("null" for none).
    int addCustomer(const QString& name, const QString& address = QStringLiteral("北京路1号"),
                    const QString& owed = QStringLiteral("0"), const QString& total = QStringLiteral("0"),
                    const QString& quantity = QStringLiteral("0"));
    // The customer's company_QK, company_zje and company_Zsl as text.
    QString balances(int customerId);
    // Every row of the order tables and the product stock, as one text.
    QString tables();
    // Every row of the queries, columns joined by "|", rows by line feeds.
    QString dump(const std::vector<const char*>& queries);

    // A window carrying line rows of a variant (kinds "rowsSalesAdd",
    // "rowsSalesDetail", "rowsQuote", "rowsPurchase"); the sales ones carry
    // the product-number look-up.
    ui::Form* openRows(const QString& kind);
    static linerows::LineRows* rowsOf(ui::Form* window);

    static ui::TextBox* box(ui::Form* window, const QString& column, int row);
    static QString text(ui::Form* window, const QString& column, int row);
    static void type(ui::Form* window, const QString& column, int row, const QString& text);
    // Types the text into the box key by key, as the operator does.
    static void typeKeys(ui::Form* window, const QString& column, int row, const QString& text);
    static QString boxText(ui::Form* window, const QString& name);
    static bool rowExists(ui::Form* window, int row);
};
