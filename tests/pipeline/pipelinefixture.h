#pragma once
// Customers, reference values and records for the tests of this folder,
// inserted by plain SQL (as another workstation would), and the windows
// driven through their controls as an operator would.
#include "tests/support/scratch.h"

#include "common/linerows.h"
#include "platform/ui/form.h"

#include <QDateTime>
#include <QMap>

class PipelineTest : public ScratchProgram {
protected:
    void SetUp() override;
    void TearDown() override;

    // Inserts a row with these column values (texts, quoted here) and returns its id.
    int insert(const QString& table, const QMap<QString, QString>& columns);
    int addCustomer(const QString& name);
    // The reference list holds exactly these values, in this order.
    void setReferenceValues(const QString& table, const QStringList& values);
    QString column(const QString& table, int id, const QString& column);
    // Stops the clock at `now` for the windows' current date and time.
    void setNow(const QDateTime& now);

    // Opens a window kind; an editor for the record `id` (stored in CurrentRecordId first).
    static ui::Form* open(const QString& kind);
    static ui::Form* openFor(const QString& kind, int id);
    static bool isOpen(const QString& kind);

    static QString text(ui::Form* form, const QString& box);
    static void type(ui::Form* form, const QString& box, const QString& text);
    static void pick(ui::Form* form, const QString& list, const QString& entry);
    static void tick(ui::Form* form, const QString& box, bool on);
    static bool ticked(ui::Form* form, const QString& box);
    static void click(ui::Form* form, const QString& button);

    // The line rows of a window, and the text of one of their boxes.
    static linerows::LineRows* rowsOf(ui::Form* form);
    static QString cell(ui::Form* form, const char* column, int row);
};
