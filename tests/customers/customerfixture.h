#pragma once
// Customers and their windows for the tests of this folder: rows inserted
// directly, windows driven through their controls as an operator would.
#include "tests/support/scratch.h"

#include "platform/ui/form.h"

#include <QMap>

class CustomerTest : public ScratchProgram {
protected:
    // Inserts a customer with these column values (texts, quoted here) and returns its id.
    int addCustomer(const QMap<QString, QString>& columns);
    // Inserts a contact of the customer and returns its id.
    int addContact(int customerId, const QMap<QString, QString>& columns);
    // Sets a reference list (client_type, industry, clientsource, client_status) to exactly these values.
    void setReferenceValues(const QString& table, const QStringList& values);

    // Opens the shared customer card for the customer.
    ui::Form* openCard(int customerId);

    static QString text(ui::Form* form, const QString& box);
    static void type(ui::Form* form, const QString& box, const QString& text);
    static void click(ui::Form* form, const QString& button);
    static bool isOpen(const QString& kind);

    QString column(const QString& table, int id, const QString& column);
};

// A record window of another folder that receives a picked customer in its
// boxes CustName and KH_ID; defined for the tests while that folder has no
// window of the kind.
void defineReceivingWindow(const QString& kind);
