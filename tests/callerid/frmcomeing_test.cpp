// The call-record window: which call it opens (the day list's double-click
// or the customer card's row), what it shows by the call-log right, the note
// save and its failures, the delete of the call with its recording, and the
// customer lookup by the shown number.
#include "callerid_fixture.h"

#include "common/cardboxes.h"
#include "platform/media/player.h"
#include "tests/support/busyfile.h"

#include <QTest>

#include <QDir>
#include <QFile>

namespace {

class CallRecord : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        QDir().mkpath(path(QStringLiteral("WavFile")));
    }

    // A call of today at the given time; returns its id.
    int call(const QString& number, const QString& wavFile = QString(), const QTime& time = QTime(9, 0))
    {
        addCall(QDateTime(QDate(2026, 3, 10), time), number);
        const int id = count(QStringLiteral("select max(id) from Hv_Cidlist"));
        if (!wavFile.isEmpty())
            exec(QStringLiteral("update Hv_Cidlist set WavFile=%1 where id=%2").arg(sqltext::quoted(wavFile)).arg(id));
        return id;
    }
    void recording(const QString& name)
    {
        QFile file(path(QStringLiteral("WavFile/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("RIFF");
    }
    ui::Form* openFor(int id)
    {
        Mymode::CurrentRecordId = id;
        return ui::Windows::open(QStringLiteral("frmComeing"));
    }
    static ui::Form* window() { return ui::Windows::loaded(QStringLiteral("frmComeing")); }
    static QString number(ui::Form* w) { return w->control<ui::TextBox>(QStringLiteral("ldhm"))->text(); }
    static media::SimulatedPlayer* player(ui::Form* w)
    {
        return w->control<media::SimulatedPlayer>(QStringLiteral("WindowsMediaPlayer1"));
    }
    void click(ui::Form* w, const char* name) { w->control<ui::PictureButton>(QString::fromLatin1(name))->click(); }
    int calls() { return count(QStringLiteral("select count(*) from Hv_Cidlist")); }

    media::SimulatedPlayers players;
};

} // namespace

TEST_F(CallRecord, OpensTheDoubleClickedCallOrTheCardsRow)
{
    const int first = call(QStringLiteral("81234567"));
    const int second = call(QStringLiteral("81234568"));   // the same second
    const int other = call(QStringLiteral("13800138000"), QString(), QTime(8, 0));
    loadMonitor();
    ASSERT_EQ(list()->itemCount(), 3);
    const int row = list()->columnTexts(1).indexOf(QStringLiteral("81234568"));
    list()->clickItem(row);
    list()->doubleClickItem(row);
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(number(window()), QStringLiteral("81234568"));
    EXPECT_EQ(Mymode::CurrentRecordId, second);
    EXPECT_EQ(monitor()->OpenitemId(), 0);
    ui::Windows::unload(window());

    // A click alone does not take over the card's opening.
    list()->clickItem(list()->columnTexts(1).indexOf(QStringLiteral("81234567")));
    EXPECT_EQ(number(openFor(other)), QStringLiteral("13800138000"));
    EXPECT_EQ(window()->control<ui::Label>(QStringLiteral("Label4"))->caption(), QStringLiteral("2026-3-10 8:00:00"));
    ui::Windows::unload(window());
    EXPECT_EQ(number(openFor(first)), QStringLiteral("81234567"));
    EXPECT_TRUE(messages.shown().empty());
    ui::Windows::unload(window());

    // A double-click while the window is open brings it forward with its own
    // call; the clicked call is not left pending for a later opening.
    list()->clickItem(row);
    list()->doubleClickItem(row);
    const int firstRow = list()->columnTexts(1).indexOf(QStringLiteral("81234567"));
    list()->clickItem(firstRow);
    list()->doubleClickItem(firstRow);
    EXPECT_EQ(number(window()), QStringLiteral("81234568"));
    EXPECT_EQ(monitor()->OpenitemId(), 0);
    ui::Windows::unload(window());
    EXPECT_EQ(number(openFor(other)), QStringLiteral("13800138000"));
    ui::Windows::unload(window());

    // A call that is gone: the message, and the window stays empty.
    ui::Form* empty = openFor(first + 100);
    expectOnly(QStringLiteral("找不到记录，可能已经被删除"));
    EXPECT_EQ(window(), empty);
    EXPECT_EQ(number(empty), QString());
}

TEST_F(CallRecord, RecordingAndDeleteButtonFollowTheRight)
{
    recording(QStringLiteral("a.wav"));
    const int withFile = call(QStringLiteral("81234567"), QStringLiteral("a.wav"));
    const int without = call(QStringLiteral("81234568"));
    const int outside = call(QStringLiteral("81234569"), QStringLiteral("../hvcrm/hvcrm.hvd"));

    ui::Form* w = openFor(withFile);
    EXPECT_EQ(w->control<ui::Label>(QStringLiteral("Label5"))->caption(), QStringLiteral("录音文件:a.wav"));
    EXPECT_TRUE(w->control<ui::PictureButton>(QStringLiteral("Image2"))->isVisible());
    EXPECT_TRUE(player(w)->isEnabled());
    EXPECT_EQ(player(w)->URL(), path(QStringLiteral("WavFile/a.wav")));
    EXPECT_TRUE(player(w)->playing());
    ui::Windows::unload(w);

    loginAs(QStringLiteral("clerk"), allRights().replace(QStringLiteral("b_work=1;"), QStringLiteral("b_work=0;")));
    w = openFor(withFile);
    EXPECT_EQ(w->control<ui::Label>(QStringLiteral("Label5"))->caption(), QString());
    EXPECT_FALSE(w->control<ui::PictureButton>(QStringLiteral("Image2"))->isVisible());
    EXPECT_TRUE(player(w)->playing());   // it still plays
    ui::Windows::unload(w);

    w = openFor(without);
    EXPECT_FALSE(player(w)->isEnabled());
    EXPECT_EQ(player(w)->URL(), QString());
    ui::Windows::unload(w);

    // A stored name that leaves the recordings folder is played from nowhere.
    w = openFor(outside);
    EXPECT_FALSE(player(w)->isEnabled());
    EXPECT_EQ(player(w)->URL(), QString());
    ui::Windows::unload(w);
    EXPECT_EQ(player(w)->history.last(), QStringLiteral("close"));   // closing the window closes the player
}

TEST_F(CallRecord, SavesTheNoteOnlyWhenItIsStored)
{
    const int id = call(QStringLiteral("81234567"));
    ui::Form* w = openFor(id);
    auto* note = w->control<ui::TextArea>(QStringLiteral("text1"));

    // Longer than the column's 255 characters: nothing stored, the text stays.
    note->setText(QString(300, QLatin1Char('x')));
    click(w, "Image1");
    expectOnly(QStringLiteral("来电内容保存失败"));
    EXPECT_EQ(window(), w);
    EXPECT_EQ(note->text().size(), 300);
    EXPECT_EQ(scalar(QStringLiteral("select Contant from Hv_Cidlist where id=%1").arg(id)), QString());

    // Saved as typed, whatever CurrentRecordId holds by now.
    Mymode::CurrentRecordId = 0;
    note->setText(QStringLiteral("  回电 O'Brien  "));
    click(w, "Image1");
    expectOnly(QStringLiteral("来电内容已加入"));
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(scalar(QStringLiteral("select Contant from Hv_Cidlist where id=%1").arg(id)),
              QStringLiteral("  回电 O'Brien  "));

    // Deleted elsewhere meanwhile.
    w = openFor(id);
    exec(QStringLiteral("delete from Hv_Cidlist where id=%1").arg(id));
    click(w, "Image1");
    expectOnly(QStringLiteral("找不到记录，可能已经被删除"));
    EXPECT_EQ(window(), nullptr);
}

TEST_F(CallRecord, DeletesTheCallTogetherWithItsRecording)
{
    recording(QStringLiteral("a.wav"));
    const int withFile = call(QStringLiteral("1"), QStringLiteral("a.wav"));
    const int missingFile = call(QStringLiteral("2"), QStringLiteral("gone.wav"));
    const int noFile = call(QStringLiteral("3"));
    const int stuck = call(QStringLiteral("4"), QStringLiteral("stuck.wav"));
    const int outside = call(QStringLiteral("5"), QStringLiteral("../keep.wav"));
    QFile keep(path(QStringLiteral("keep.wav")));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.close();
    // A name the file system cannot remove: a folder with something in it.
    QDir().mkpath(path(QStringLiteral("WavFile/stuck.wav/inside")));

    ui::Form* w = openFor(withFile);
    click(w, "Image2");
    expectOnly(QStringLiteral("记录已成功删除"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("WavFile/a.wav"))));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where id=%1").arg(withFile)), 0);
    EXPECT_EQ(window(), nullptr);
    EXPECT_TRUE(player(w)->history.contains(QStringLiteral("close")));

    for (int id : {missingFile, noFile, outside}) {
        click(openFor(id), "Image2");
        expectOnly(QStringLiteral("记录已成功删除"));
        EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where id=%1").arg(id)), 0) << id;
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("keep.wav"))));

    w = openFor(stuck);
    click(w, "Image2");
    expectOnly(QStringLiteral("录音文件无法删除,记录没有删除"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Hv_Cidlist where id=%1").arg(stuck)), 1);
    EXPECT_TRUE(QFileInfo::exists(path(QStringLiteral("WavFile/stuck.wav/inside"))));
    EXPECT_EQ(window(), w);

    exec(QStringLiteral("delete from Hv_Cidlist where id=%1").arg(stuck));
    click(w, "Image2");
    expectOnly(QStringLiteral("记录不存在，可能已被删除"));
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(calls(), 0);
}

TEST_F(CallRecord, LooksUpTheCustomerOfTheNumber)
{
    const int longer = addCustomer(QStringLiteral("长号码"), QStringLiteral("0755-812345678"));
    const int exact = addCustomer(QStringLiteral("正好"), QStringLiteral("81234567"));
    const int id = call(QStringLiteral("81234567"));
    ui::Form* w = openFor(id);
    w->control<ui::CommandButton>(QStringLiteral("command1"))->click();
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(Mymode::CurrentRecordId, exact);
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("正好"));
    EXPECT_EQ(window(), w);   // the window stays
    ui::Windows::unload(card);

    // The operator edits the number; a quote goes into the query as text.
    auto* box = w->control<ui::TextBox>(QStringLiteral("ldhm"));
    for (const char* typed : {"8'1", "99999999", "   "}) {
        box->setText(QString::fromLatin1(typed));
        w->control<ui::CommandButton>(QStringLiteral("command1"))->click();
        expectOnly(QStringLiteral("找不到客户，电话还没加放"));
    }
    box->setText(QStringLiteral(" 812345678 "));
    w->control<ui::CommandButton>(QStringLiteral("command1"))->click();
    EXPECT_EQ(Mymode::CurrentRecordId, longer);
}

// A card loaded unseen for another customer (a new-record window read its
// boxes) loads again when "→" is clicked: it shows the caller's customer.
TEST_F(CallRecord, ArrowReloadsACardLoadedUnseenForAnotherCustomer)
{
    const int first = addCustomer(QStringLiteral("甲公司"), QStringLiteral("0755-1111111"));
    addCustomer(QStringLiteral("乙公司"), QStringLiteral("81234567"));
    ui::Form* w = openFor(call(QStringLiteral("81234567")));
    w->show();
    Mymode::CurrentRecordId = first;
    EXPECT_EQ(customercard::boxText(QStringLiteral("companyname")), QStringLiteral("甲公司"));
    ASSERT_FALSE(ui::Windows::loaded(QStringLiteral("frmCustDetail"))->isVisible());

    QTest::mouseClick(w->control<ui::CommandButton>(QStringLiteral("command1")), Qt::LeftButton);
    ui::Form* card = ui::Windows::loaded(QStringLiteral("frmCustDetail"));
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("乙公司"));
    EXPECT_EQ(window(), w);
}

// Another workstation holding the file: the opening, the delete and the
// customer lookup say so, and not that the call or the customer is missing;
// the window keeps what it shows, and the same step passes once the file is free.
TEST_F(CallRecord, AHeldFileIsSaidSoAndTheSameStepPassesOnceFree)
{
    using Hold = OtherWorkstationWriting::Hold;
    const QString unread = QStringLiteral("另一台电脑正在使用数据文件，这次没能读出数据，请稍后再试");
    addCustomer(QStringLiteral("正好"), QStringLiteral("81234567"));
    const int id = call(QStringLiteral("81234567"));
    struct Case {
        const char* step;
        Hold hold;
        std::function<void()> act;
        QString said;
    };
    const Case cases[] = {
        {"open", Hold::Exclusive, [&] { openFor(id); }, unread},
        {"lookup", Hold::Exclusive,
         [&] { window()->control<ui::CommandButton>(QStringLiteral("command1"))->click(); }, unread},
        {"delete", Hold::Write, [&] { click(window(), "Image2"); },
         QStringLiteral("记录无法删除。另一台电脑正在使用数据文件，这次没有改变任何数据，请再试一次")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.step);
        if (!window()) openFor(id);
        const QString shown = number(window());
        {
            OtherWorkstationWriting other(c.hold);
            if (std::string(c.step) == "open") ui::Windows::unload(window());
            c.act();
            expectOnly(c.said);
        }
        ASSERT_NE(window(), nullptr);
        EXPECT_EQ(number(window()), std::string(c.step) == "open" ? QString() : shown);
        EXPECT_EQ(ui::Windows::loaded(QStringLiteral("frmCustDetail")), nullptr);
        EXPECT_EQ(calls(), 1);
        QCoreApplication::processEvents();
        if (std::string(c.step) == "open") ui::Windows::unload(window());
        c.act();
        messages.clear();
        if (ui::Windows::loaded(QStringLiteral("frmCustDetail"))) ui::Windows::unload(QStringLiteral("frmCustDetail"));
    }
    EXPECT_EQ(calls(), 0);
}
