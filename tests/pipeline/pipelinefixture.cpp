#include "tests/pipeline/pipelinefixture.h"

#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/db/locale.h"
#include "platform/ui/windows.h"

#include <QStandardPaths>

void PipelineTest::SetUp()
{
    // The main window keeps its rectangle in the settings store when it closes.
    QStandardPaths::setTestModeEnabled(true);
    ScratchProgram::SetUp();
}

void PipelineTest::TearDown()
{
    ScratchProgram::TearDown();
    db::locale::setClockForTests(std::nullopt);
}

int PipelineTest::insert(const QString& table, const QMap<QString, QString>& columns)
{
    QStringList values;
    for (const QString& value : columns) values << sqltext::quoted(value);
    exec(QStringLiteral("insert into ") + table + QStringLiteral(" (") + columns.keys().join(QLatin1Char(','))
         + QStringLiteral(") values (") + values.join(QLatin1Char(',')) + QStringLiteral(")"));
    return scalar(QStringLiteral("select max(id) from ") + table).toInt();
}

int PipelineTest::addCustomer(const QString& name)
{
    return insert(QStringLiteral("company"), {{QStringLiteral("company_name"), name},
                                              {QStringLiteral("KH_CZZ"), QStringLiteral("system")}});
}

void PipelineTest::setReferenceValues(const QString& table, const QStringList& values)
{
    exec(QStringLiteral("delete from ") + table);   // the first start's entries go
    for (const QString& value : values) insert(table, {{table, value}});
}

QString PipelineTest::column(const QString& table, int id, const QString& column)
{
    return scalar(QStringLiteral("select ") + column + QStringLiteral(" from ") + table + QStringLiteral(" where id = ")
                  + QString::number(id));
}

void PipelineTest::setNow(const QDateTime& now)
{
    db::locale::setClockForTests(now);
}

ui::Form* PipelineTest::open(const QString& kind)
{
    return ui::Windows::open(kind);
}

ui::Form* PipelineTest::openFor(const QString& kind, int id)
{
    Mymode::CurrentRecordId = id;
    return ui::Windows::open(kind);
}

bool PipelineTest::isOpen(const QString& kind)
{
    return ui::Windows::loaded(kind) != nullptr;
}

QString PipelineTest::text(ui::Form* form, const QString& box)
{
    if (auto* list = form->findChild<ui::ComboBox*>(box)) return list->text();
    if (auto* memo = form->findChild<ui::TextArea*>(box)) return memo->text();
    return form->control<ui::TextBox>(box)->text();
}

void PipelineTest::type(ui::Form* form, const QString& box, const QString& text)
{
    if (auto* memo = form->findChild<ui::TextArea*>(box))
        memo->setText(text);
    else
        form->control<ui::TextBox>(box)->setText(text);
}

void PipelineTest::pick(ui::Form* form, const QString& list, const QString& entry)
{
    auto* box = form->control<ui::ComboBox>(list);
    const int index = box->findText(entry, Qt::MatchExactly);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->pick(index);
}

void PipelineTest::tick(ui::Form* form, const QString& box, bool on)
{
    form->control<ui::CheckBox>(box)->setValue(on ? 1 : 0);
}

bool PipelineTest::ticked(ui::Form* form, const QString& box)
{
    return form->control<ui::CheckBox>(box)->value() == 1;
}

void PipelineTest::click(ui::Form* form, const QString& button)
{
    form->control<ui::PictureButton>(button)->click();
}

linerows::LineRows* PipelineTest::rowsOf(ui::Form* form)
{
    return form->findChild<linerows::LineRows*>(QStringLiteral("lineRows"));
}

QString PipelineTest::cell(ui::Form* form, const char* column, int row)
{
    ui::TextBox* box = rowsOf(form)->box(QString::fromLatin1(column), row);
    return box ? box->text() : QStringLiteral("<no row>");
}
