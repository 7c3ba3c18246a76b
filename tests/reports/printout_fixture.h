#pragma once
// Customers in a scratch database, the main window's customer-list SQL, and
// the printouts written to PDF and read back.
#include "common/mymode.h"
#include "common/sqltext.h"
#include "tests/support/pdftext.h"
#include "tests/support/scratch.h"

#include <optional>

// Asserts a word is on the page with its box's top-left corner at (left, top) twips.
inline void expectAt(const PdfPage& page, const QString& text, double left, double top)
{
    const PdfWord* word = page.find(text);
    ASSERT_TRUE(word) << text.toStdString() << " not on the page: " << page.text().toStdString();
    EXPECT_NEAR(word->left, left, 30) << text.toStdString();
    EXPECT_NEAR(word->top, top, 30) << text.toStdString();
}

class CustomerPrintouts : public ScratchProgram {
protected:
    struct Customer {
        QString name;
        std::optional<QString> address;   // nullopt: Null
        QString contact, tel, fax, postcode;
    };

    // Inserts the customers in order (so the last one has the highest id).
    void addCustomers(const std::vector<Customer>& customers)
    {
        for (const Customer& c : customers) {
            exec(QStringLiteral("insert into company (company_name, company_address, company_connect, company_tel,"
                                " company_fax, company_postcode, KH_CZZ, KH_GK) values (%1, %2, %3, %4, %5, %6, 'system', '1')")
                     .arg(sqltext::quoted(c.name), c.address ? sqltext::quoted(*c.address) : QStringLiteral("Null"),
                          sqltext::quoted(c.contact), sqltext::quoted(c.tel), sqltext::quoted(c.fax),
                          sqltext::quoted(c.postcode)));
        }
    }

    // Numbered customers "客户01", "客户02", ... with their own address and contact.
    void addNumberedCustomers(int count)
    {
        std::vector<Customer> customers;
        for (int i = 1; i <= count; ++i) {
            const QString n = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
            customers.push_back({QStringLiteral("客户") + n, QStringLiteral("地址") + n, QStringLiteral("联系人") + n,
                                 QStringLiteral("tel") + n, QStringLiteral("fax") + n, QStringLiteral("VIP") + n});
        }
        addCustomers(customers);
    }

    // The customer list as the main window stores it: newest first, with an optional search condition.
    static void setCustomerList(const QString& condition = QString())
    {
        Mymode::CustListSql = QStringLiteral("select id,company_name,company_address,company_connect,company_tel,"
                                             "company_fax,company_mobil,company_postcode from company")
            + (condition.isEmpty() ? QString() : QStringLiteral(" where ") + condition)
            + QStringLiteral(" order by id desc");
    }

    template <class Printout>
    std::vector<PdfPage> printed()
    {
        const QString file = path(QStringLiteral("printout.pdf"));
        QString error;
        EXPECT_TRUE(Printout::writePdf(file, &error)) << error.toStdString();
        return readPdf(file);
    }
};
