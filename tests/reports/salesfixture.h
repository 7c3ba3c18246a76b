#pragma once
// Customers, orders with their lines, products and purchase lines in a
// scratch database, and a clock fixed on 15 June 2009.
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "tests/support/scratch.h"

class SalesData : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        db::locale::setClockForTests(QDateTime(QDate(2009, 6, 15), QTime(10, 30)));
    }
    void TearDown() override
    {
        db::locale::setClockForTests(std::nullopt);
        ScratchProgram::TearDown();
    }

    static QString when(const QString& dateTime) { return QLatin1Char('#') + dateTime + QLatin1Char('#'); }
    static QString orNull(const QString& value) { return value.isNull() ? QStringLiteral("Null") : value; }

    int addCustomer(const QString& name)
    {
        exec(QStringLiteral("insert into company (company_name, KH_CZZ, KH_GK) values (%1, 'system', '1')")
                 .arg(sqltext::quoted(name)));
        return count(QStringLiteral("select max(id) from company"));
    }

    // An order header; `key` ties its lines to it.
    void addOrder(int customer, const QString& key, const QString& dateTime, const QString& total,
                  const QString& received = QStringLiteral("0"), const QString& quantity = QStringLiteral("0"))
    {
        exec(QStringLiteral("insert into sales (companyid, orderno, indexflag, salesdate, totlemoney, receivemoney, TotalNum)"
                            " values (%1, %2, %3, %4, %5, %6, %7)")
                 .arg(customer)
                 .arg(sqltext::quoted(QStringLiteral("SH-") + key), sqltext::quoted(key), when(dateTime), orNull(total),
                      orNull(received), orNull(quantity)));
    }

    // An order line; its subtotal is stored as given (the order window computes it).
    void addLine(int customer, const QString& key, const QString& dateTime, const QString& product, const QString& price,
                 const QString& quantity, const QString& subtotal, const QString& discount = QStringLiteral("100"))
    {
        exec(QStringLiteral("insert into SalesMX (companyid, indexflag, salesdate, productname, price, num, zk, unitprice)"
                            " values (%1, %2, %3, %4, %5, %6, %7, %8)")
                 .arg(customer)
                 .arg(sqltext::quoted(key), when(dateTime), sqltext::quoted(product), orNull(price), orNull(quantity),
                      orNull(discount), orNull(subtotal)));
    }

    void addProduct(const QString& name, const QString& description, const QString& inPrice, const QString& stock)
    {
        exec(QStringLiteral("insert into product (product, description, InPrice, KCL) values (%1, %2, %3, %4)")
                 .arg(sqltext::quoted(name), sqltext::quoted(description), orNull(inPrice), orNull(stock)));
    }

    void addPurchase(const QString& product, const QString& supplier, const QString& dateTime, const QString& amount,
                     const QString& quantity)
    {
        exec(QStringLiteral("insert into JhMX (productname, GYS_ID, JH_DATE, unitprice, num) values (%1, %2, %3, %4, %5)")
                 .arg(sqltext::quoted(product), sqltext::quoted(supplier), when(dateTime), orNull(amount), orNull(quantity)));
    }

    static QDate day(int year, int month, int dayOfMonth) { return QDate(year, month, dayOfMonth); }
};
