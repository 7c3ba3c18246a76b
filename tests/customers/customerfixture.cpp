#include "tests/customers/customerfixture.h"

#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/ui/windows.h"

namespace {

QString insertStatement(const QString& table, const QMap<QString, QString>& columns)
{
    QStringList values;
    for (const QString& value : columns) values << sqltext::quoted(value);
    return QStringLiteral("insert into ") + table + QStringLiteral(" (") + columns.keys().join(QLatin1Char(','))
        + QStringLiteral(") values (") + values.join(QLatin1Char(',')) + QStringLiteral(")");
}

class ReceivingWindow : public ui::Form {
public:
    explicit ReceivingWindow(const QString& kind) : ui::Form(kind)
    {
        addTextBox(QStringLiteral("CustName"), 120, 120, 2000, 285);
        addTextBox(QStringLiteral("KH_ID"), 120, 480, 2000, 285);
    }
};

} // namespace

int CustomerTest::addCustomer(const QMap<QString, QString>& columns)
{
    exec(insertStatement(QStringLiteral("company"), columns));
    return scalar(QStringLiteral("select max(id) from company")).toInt();
}

int CustomerTest::addContact(int customerId, const QMap<QString, QString>& columns)
{
    QMap<QString, QString> all = columns;
    all.insert(QStringLiteral("companyid"), QString::number(customerId));
    exec(insertStatement(QStringLiteral("KH_LXR"), all));
    return scalar(QStringLiteral("select max(id) from KH_LXR")).toInt();
}

void CustomerTest::setReferenceValues(const QString& table, const QStringList& values)
{
    exec(QStringLiteral("delete from ") + table);   // the first start's entries go
    for (const QString& value : values)
        exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + table + QStringLiteral(") values (")
             + sqltext::quoted(value) + QStringLiteral(")"));
}

ui::Form* CustomerTest::openCard(int customerId)
{
    Mymode::CurrentRecordId = customerId;
    return ui::Windows::open(QStringLiteral("frmCustDetail"));
}

QString CustomerTest::text(ui::Form* form, const QString& box)
{
    if (auto* list = form->findChild<ui::ComboBox*>(box)) return list->text();
    if (auto* memo = form->findChild<ui::TextArea*>(box)) return memo->text();
    return form->control<ui::TextBox>(box)->text();
}

void CustomerTest::type(ui::Form* form, const QString& box, const QString& text)
{
    if (auto* memo = form->findChild<ui::TextArea*>(box))
        memo->setText(text);
    else
        form->control<ui::TextBox>(box)->setText(text);
}

void CustomerTest::click(ui::Form* form, const QString& button)
{
    form->control<ui::PictureButton>(button)->click();
}

bool CustomerTest::isOpen(const QString& kind)
{
    return ui::Windows::loaded(kind) != nullptr;
}

QString CustomerTest::column(const QString& table, int id, const QString& column)
{
    return scalar(QStringLiteral("select ") + column + QStringLiteral(" from ") + table + QStringLiteral(" where id = ")
                  + QString::number(id));
}

void defineReceivingWindow(const QString& kind)
{
    if (!ui::Windows::isDefined(kind))
        ui::Windows::define(kind, [kind] { return std::make_unique<ReceivingWindow>(kind); });
}
