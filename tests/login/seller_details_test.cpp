// The seller's details window: shows and stores the texts of the settings row
// of the database the run uses.
#include "tests/support/scratch.h"

#include "common/database.h"
#include "common/mymode.h"
#include "platform/ui/windows.h"

#include <QDir>
#include <QFile>

namespace {

class SellerDetails : public ScratchProgram {
protected:
    ui::Form* openWindow() { return ui::Windows::open(QStringLiteral("CompanySet")); }
    ui::TextBox* box(ui::Form* w, const char* name) { return w->control<ui::TextBox>(QLatin1String(name)); }
    // The five stored texts joined by "|".
    QString stored()
    {
        QStringList texts;
        for (const char* column : {"KH_name", "KH_add", "KH_tel", "des1", "des2"})
            texts << scalar(QStringLiteral("select ") + QLatin1String(column) + QStringLiteral(" from DriveInfo"));
        return texts.join(QLatin1Char('|'));
    }
    void type(ui::Form* w, const QStringList& texts)
    {
        const char* boxes[] = {"kh_name", "KH_add", "kh_tel", "des1", "des2"};
        for (int i = 0; i < 5; ++i) box(w, boxes[i])->setText(texts[i]);
    }
    void click(ui::Form* w, const char* button) { w->control<ui::PictureButton>(QLatin1String(button))->click(); }
};

TEST_F(SellerDetails, ShowsAndStoresTheSlipTexts)
{
    exec(QStringLiteral("update DriveInfo set KH_name='好帮手', KH_add=NULL, KH_tel='8888', des1='  谢谢'"));
    ui::Form* w = openWindow();
    EXPECT_EQ(box(w, "kh_name")->text(), QStringLiteral("好帮手"));
    EXPECT_EQ(box(w, "KH_add")->text(), QString());
    EXPECT_EQ(box(w, "des1")->text(), QStringLiteral("  谢谢"));

    // Closing without saving stores nothing.
    box(w, "kh_name")->setText(QStringLiteral("changed"));
    click(w, "command1");
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("CompanySet")), nullptr);
    EXPECT_EQ(stored(), QStringLiteral("好帮手||8888|  谢谢|"));

    // Name, address and telephone are stored trimmed, the footnotes as typed.
    w = openWindow();
    type(w, {QStringLiteral("  O'Hara 商行 "), QStringLiteral(" 中山路1号"), QStringLiteral("123 "),
             QStringLiteral("  货物售出概不退换 "), QString()});
    click(w, "command2");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("设置已生效"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::None);
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("CompanySet")), nullptr);
    EXPECT_EQ(stored(), QStringLiteral("O'Hara 商行|中山路1号|123|  货物售出概不退换 |"));
}

TEST_F(SellerDetails, UsesTheRunsDatabaseAndSaysSoWhenItCannotStore)
{
    // A workstation edits the shared file's row, not the local one.
    const QString shared = path(QStringLiteral("server"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("hvcrm/hvcrm.hvd")), shared + QStringLiteral("/hvcrm.hvd")));
    Mymode::ConnectString = database::connectStringFor(shared);
    ui::Form* w = openWindow();
    type(w, {QStringLiteral("shared"), QString(), QString(), QString(), QString()});
    click(w, "command2");
    EXPECT_EQ(stored(), QStringLiteral("shared||||"));
    Mymode::ConnectString = database::localConnectString();
    EXPECT_EQ(stored(), QStringLiteral("||||"));

    // No settings row: the window stays open with what was typed.
    messages.clear();
    exec(QStringLiteral("delete from DriveInfo"));
    w = openWindow();
    type(w, {QStringLiteral("n"), QStringLiteral("a"), QStringLiteral("t"), QStringLiteral("1"), QStringLiteral("2")});
    click(w, "command2");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.lastText(), QStringLiteral("设置保存失败，单据信息没有改变"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("单据套打设置"));
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("CompanySet")), w);
    EXPECT_EQ(box(w, "des2")->text(), QStringLiteral("2"));
}

} // namespace
