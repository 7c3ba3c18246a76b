#pragma once
// A scratch program folder for one test: a fresh database made by the
// first-start creation, the artwork beside it, scripted message boxes, and the
// login state of the operator "system" with every right.
#include "platform/ui/msgbox.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ScratchProgram : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString& relative) const;   // inside the program folder
    // Runs a statement on the main database; fails the test when it fails.
    void exec(const QString& sql);
    // The first column of the first row of a query, as text ("" when no row).
    QString scalar(const QString& sql);
    int count(const QString& sql);                // select count(*) ...
    // Logs in as the operator with these rights (the sixteen-key string).
    void loginAs(const QString& operatorName, const QString& rights);
    static QString allRights(const QString& scope = QStringLiteral("1"));
    // Asserts that exactly one message box was shown, with this text, icon and
    // title, and forgets it.
    void expectOnly(const QString& text, ui::Icon icon = ui::Icon::None, const QString& title = QString());

    QTemporaryDir dir;
    ui::ScriptedMessages messages;
};
