#pragma once
// The main window opened on a scratch database, with helpers that insert
// rows by plain SQL and read what the grid shows.
#include "common/mymode.h"
#include "common/sqltext.h"
#include "platform/ui/form.h"
#include "platform/ui/menus.h"
#include "platform/ui/windows.h"
#include "tests/support/scratch.h"

#include <QStandardPaths>
#include <QStringList>

// A stand-in for a window of a subsystem that is not built in this test
// program: it records its unloading in `unloadLog`.
class ProbeWindow : public ui::Form {
public:
    explicit ProbeWindow(const QString& kind) : ui::Form(kind) {}
    static inline QStringList unloadLog;

protected:
    void Form_Unload() override { unloadLog << kind(); }
};

class MainWindowTest : public ScratchProgram {
protected:
    // The main window keeps its rectangle in the settings store when it
    // closes: tests keep theirs apart from the user's.
    void SetUp() override
    {
        QStandardPaths::setTestModeEnabled(true);
        ScratchProgram::SetUp();
    }
    void TearDown() override
    {
        ProbeWindow::unloadLog.clear();
        ScratchProgram::TearDown();
    }

    // Makes the kind openable when no subsystem defines it yet.
    static void ensureWindow(const QString& kind)
    {
        if (!ui::Windows::isDefined(kind))
            ui::Windows::define(kind, [kind] { return std::make_unique<ProbeWindow>(kind); });
    }

    ui::Form* openMain() { return main_ = ui::Windows::open(QStringLiteral("frmMain")); }

    template <class T>
    T* ctl(const char* name) const { return main_->control<T>(QString::fromUtf8(name)); }
    ui::DataGrid* grid() const { return ctl<ui::DataGrid>("DataGrid1"); }
    QString countLabel() const { return ctl<ui::Label>("Label2")->caption(); }
    QString viewKey() const { return ctl<ui::TextBox>("SelectFun")->text(); }
    void choose(const char* menuItem) { ctl<ui::MenuItem>(menuItem)->click(); }

    // The ids (column 0) the grid shows, top to bottom.
    QList<int> shownIds() const
    {
        QList<int> ids;
        for (int row = 0; row < grid()->rowCount(); ++row) ids << grid()->cellText(row, 0).toInt();
        return ids;
    }

    QStringList searchCaptions() const
    {
        auto* box = ctl<ui::ComboBox>("ComboSearch");
        QStringList captions;
        for (int i = 0; i < box->listCount(); ++i) captions << box->list(i);
        return captions;
    }

    void search(const QString& field, const QString& op, const QString& value)
    {
        ctl<ui::ComboBox>("ComboSearch")->setText(field);
        ctl<ui::ComboBox>("Combo2")->setText(op);
        ctl<ui::TextBox>("text1")->setText(value);
        ctl<ui::PictureButton>("command2")->click();
    }

    // Inserts a row and returns its id.
    int insert(const QString& table, const QString& columns, const QString& values)
    {
        exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns, values));
        return scalar(QStringLiteral("select max(id) from ") + table).toInt();
    }
    // Inserts a row of a table whose rows belong to the customer, owned by
    // "system", and returns its id.
    int addRelated(const char* table, const char* ownerColumn, int customer)
    {
        return insert(QString::fromLatin1(table), QStringLiteral("companyid,") + QString::fromLatin1(ownerColumn),
                      QStringLiteral("%1,'system'").arg(customer));
    }
    int addCustomer(const QString& name, const QString& owner = QStringLiteral("system"),
                    const QString& isPublic = QStringLiteral("0"))
    {
        return insert(QStringLiteral("company"), QStringLiteral("company_name,KH_CZZ,KH_GK"),
                      sqltext::quoted(name) + QLatin1Char(',') + sqltext::quoted(owner) + QLatin1Char(',')
                          + sqltext::quoted(isPublic));
    }

    ui::Form* main_ = nullptr;
};
