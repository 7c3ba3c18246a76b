#pragma once
// Suppliers for the tests of the supplier and purchase windows.
#include "tests/sales/salesfixture.h"
#include "tests/support/pdftext.h"

class SupplierTest : public SalesTest {
protected:
    // Inserts a supplier; balances are SQL literals ("null" for none). A key
    // of 0 lets the database choose it. Returns the key.
    int addSupplier(const QString& name, const QString& mode = QStringLiteral("现金"),
                    const QString& unpaid = QStringLiteral("0"), const QString& purchases = QStringLiteral("0"),
                    const QString& quantity = QStringLiteral("0"), int key = 0);
    // GYS_WFJE, GYS_ZJE and GYS_ZSL of the supplier as text.
    QString supplierBalances(int key);

    static void click(ui::Form* window, const char* button);
    static void setText(ui::Form* window, const char* box, const QString& text);
    bool isLoaded(const char* kind);
};
