// Incoming calls: the clean-up, the short-number mark, the outside-line
// prefix and the length gate; the contact match and its order; the call-log
// row; the card or unknown-caller pop-up and the main window's status strip.
#include "callerid_fixture.h"

#include "callerid/numbermatch.h"
#include "common/database.h"

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <memory>
#include <sys/resource.h>

namespace {

class IncomingCall : public CallerIdTest {
protected:
    void SetUp() override
    {
        CallerIdTest::SetUp();
        if (!ui::Windows::isDefined(QStringLiteral("GtNewNo")))
            ui::Windows::define(QStringLiteral("GtNewNo"), [] { return std::make_unique<ui::Form>(QStringLiteral("GtNewNo")); });
        makeAreaDatabase();
        settings(QString(), QStringLiteral("0"), QStringLiteral("0"));
        loadMonitor();
    }
    // The box's buffer: the text, then NULs to 200 characters.
    static QByteArray buffer(const QByteArray& text) { return text.leftJustified(kCallerIdBufferLength, '\0'); }
    void call(const QByteArray& text)
    {
        monitor()->HandleCallerID(buffer(text));
        settle();
    }
    int calls() { return count(QStringLiteral("select count(*) from Hv_Cidlist")); }
    ui::Form* openMainWindow() { return ui::Windows::open(QStringLiteral("frmMain")); }
    QString mainLabel(ui::Form* mainWindow, const char* name)
    {
        return mainWindow->control<ui::Label>(QString::fromLatin1(name))->caption();
    }
};

TEST_F(IncomingCall, CleanUpMarkPrefixAndGate)
{
    call("13800138000");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("13800138000"));
    call("(0755) 8123-4567");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("075581234567"));
    // Full-width digits are not digits of the number.
    call("１３８0012345");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("0012345"));
    call("123456");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("123456X"));
    call("1234");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("1234X"));
    const int logged = calls();
    call("123");
    EXPECT_EQ(calls(), logged);
    EXPECT_EQ(monitor()->PhoneID(), QStringLiteral("123X"));
    call("");
    EXPECT_EQ(calls(), logged);

    settings(QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("0"));
    call("91234567");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("1234567"));
    call("91234");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("1234X"));
    settings(QStringLiteral("90"), QStringLiteral("0"), QStringLiteral("0"));
    call("901234567");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("901234567"));
    EXPECT_EQ(monitor()->RecordFlag(), QStringLiteral("0"));
}

TEST_F(IncomingCall, ContactMatchPrefersTheExactThenTheWholeNumberThenTheLowestId)
{
    const int inside = addCustomer(QStringLiteral("手机里"));
    const int local = addCustomer(QStringLiteral("本地"));
    const int exact = addCustomer(QStringLiteral("正好"));
    addContact(inside, QStringLiteral("甲"), QStringLiteral("18123456789"));
    addContact(local, QStringLiteral("乙"), QStringLiteral("0755-81234567"));
    call("81234567");
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("乙"));
    addContact(exact, QStringLiteral("丙"), QString(), QStringLiteral("81234567"));
    call("81234567");
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("丙"));
    // Only inside longer numbers: the lowest id.
    addContact(local, QStringLiteral("丁"), QStringLiteral("15556667000"));
    addContact(inside, QStringLiteral("戊"), QStringLiteral("25556667111"));
    call("5556667");
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("丁"));
    // Separators break a number: no match.
    call("075581234567");
    EXPECT_EQ(scalar(QStringLiteral("select top 1 UserNO is null from Hv_Cidlist order by id desc")), QStringLiteral("1"));
    // A quote cannot break the query (it is not a digit, so it never arrives; the
    // condition quotes whatever it is given).
    EXPECT_EQ(newestCall("CidName"), QStringLiteral("system"));
}

TEST_F(IncomingCall, KnownCallerRowLabelsAndCard)
{
    ui::Form* mainWindow = openMainWindow();
    const int customer = addCustomer(QStringLiteral("华星商行"));
    addContact(customer, QStringLiteral("王经理"), QString(), QStringLiteral("013800138000"));

    // Pop-ups off: the row and the monitor's labels, not the status strip.
    const QString before = mainLabel(mainWindow, "RecTel");
    call("013800138000");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("013800138000"));
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("王经理"));
    EXPECT_EQ(newestCall("CidName"), QStringLiteral("system"));
    EXPECT_EQ(newestCall("CIDarea"), QStringLiteral("北京--中国移动"));
    EXPECT_EQ(newestCall("DateTime"), QStringLiteral("2026-3-10 9:30:15"));
    EXPECT_EQ(monitor()->PhoneID(), QStringLiteral("13800138000"));
    EXPECT_EQ(monitor()->TelNo(), QStringLiteral("013800138000"));
    EXPECT_TRUE(ctl<ui::Label>("Label1(2)")->isHidden());
    EXPECT_FALSE(ctl<ui::Label>("Label1(5)")->isHidden());
    EXPECT_EQ(mainLabel(mainWindow, "RecTel"), before);
    EXPECT_EQ(windowsOf("frmCustDetail"), 0);

    // Pop-ups on: a new card each call, showing the caller's customer.
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    call("013800138000");
    call("013800138000");
    EXPECT_EQ(windowsOf("frmCustDetail"), 2);
    EXPECT_EQ(Mymode::CurrentRecordId, customer);
    EXPECT_EQ(mainLabel(mainWindow, "RecTel"), QStringLiteral("13800138000"));
    EXPECT_EQ(mainLabel(mainWindow, "Label15"), QStringLiteral("来电时间:09:30"));
    EXPECT_EQ(mainLabel(mainWindow, "Label14"), QStringLiteral("华星商行"));
    ui::Form* card = ui::Windows::all().back();
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("华星商行"));
    // Today's list shows the calls; a number known only as a contact's has no customer there.
    EXPECT_EQ(list()->itemCount(), 3);
    EXPECT_EQ(list()->text(0, 3), QStringLiteral("陌生电话"));
    EXPECT_EQ(list()->text(0, 4), QStringLiteral("王经理"));
}

// The call-log writer's commit holds the data file: it waits until the
// caller's pop-up has read what it shows, while the call waits in the store;
// then the call is logged, for a known and for an unknown caller alike.
TEST_F(IncomingCall, TheCallLogIsWrittenOnceThePopUpHasRead)
{
    const int customer = addCustomer(QStringLiteral("华星商行"));
    addContact(customer, QStringLiteral("王经理"), QString(), QStringLiteral("013800138000"));
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    settle();
    const struct {
        QByteArray number;
        const char* window;
    } cases[] = {{"013800138000", "frmCustDetail"}, {"02087654321", "GtNewNo"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.constData());
        const int before = calls();
        const int windows = windowsOf(c.window);
        monitor()->HandleCallerID(buffer(c.number));
        EXPECT_TRUE(monitor()->writer().idle());
        EXPECT_EQ(calls(), before);
        settle();
        EXPECT_EQ(windowsOf(c.window), windows + 1);
        EXPECT_EQ(calls(), before + 1);
        EXPECT_EQ(newestCall("CallerID"), QString::fromLatin1(c.number));
    }
}

// With pop-ups on, the next caller's card is made ahead once a card has
// popped up; the card made ahead is the next pop-up, showing its own
// caller's customer. With pop-ups off no card is made ahead.
TEST_F(IncomingCall, TheNextCardIsMadeAheadAndShowsItsOwnCaller)
{
    const auto cardMadeAhead = []() -> ui::Form* {
        const std::vector<ui::Form*> loaded = ui::Windows::all();
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<ui::Form*>(top); form && form->kind() == QLatin1String("frmCustDetail")
                && !form->unloading() && std::find(loaded.begin(), loaded.end(), form) == loaded.end())
                return form;
        return nullptr;
    };
    const auto quietLine = [] { QTest::qWait(callerid::GtMain::kPrepareCardMs + 100); };
    const int first = addCustomer(QStringLiteral("华星商行"));
    addContact(first, QStringLiteral("王经理"), QString(), QStringLiteral("013800138000"));
    const int second = addCustomer(QStringLiteral("东方贸易"));
    addContact(second, QStringLiteral("李小姐"), QStringLiteral("075588886666"));

    call("013800138000");
    quietLine();
    EXPECT_EQ(cardMadeAhead(), nullptr);

    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    call("013800138000");
    EXPECT_EQ(windowsOf("frmCustDetail"), 1);
    quietLine();
    ui::Form* ahead = cardMadeAhead();
    ASSERT_NE(ahead, nullptr);
    EXPECT_FALSE(ahead->isVisible());

    call("075588886666");
    ASSERT_EQ(windowsOf("frmCustDetail"), 2);
    ui::Form* card = ui::Windows::all().back();
    EXPECT_EQ(card, ahead);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("companyname"))->text(), QStringLiteral("东方贸易"));
    EXPECT_EQ(card->control<ui::TextBox>(QStringLiteral("text1"))->text(), QString::number(second));
    EXPECT_EQ(Mymode::CurrentRecordId, second);
    EXPECT_EQ(cardMadeAhead(), nullptr);
}

TEST_F(IncomingCall, ContactWithoutACustomerPopsUpNothing)
{
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    Mymode::CurrentRecordId = 77;
    addContact(999, QStringLiteral("孤儿"), QStringLiteral("88886666"));
    call("88886666");
    EXPECT_EQ(newestCall("UserNO"), QStringLiteral("孤儿"));
    EXPECT_EQ(windowsOf("frmCustDetail"), 0);
    EXPECT_EQ(Mymode::CurrentRecordId, 77);
}

TEST_F(IncomingCall, UnknownCallerWindowAndStatusStrip)
{
    ui::Form* mainWindow = openMainWindow();
    call("075581234567");
    EXPECT_EQ(newestCall("CIDarea"), QStringLiteral("广东--深圳"));
    EXPECT_EQ(mainLabel(mainWindow, "RecTel"), QStringLiteral("075581234567"));
    EXPECT_EQ(mainLabel(mainWindow, "Label14"), QStringLiteral("广东--深圳"));
    EXPECT_EQ(windowsOf("GtNewNo"), 0);
    settings(QString(), QStringLiteral("1"), QStringLiteral("1"));
    call("01065521234");
    EXPECT_EQ(windowsOf("GtNewNo"), 1);
    EXPECT_EQ(mainLabel(mainWindow, "Label14"), QStringLiteral("北京市"));
    EXPECT_EQ(monitor()->RecordFlag(), QStringLiteral("1"));

    // Without the number-area database the row has no area and the label keeps its text.
    QFile::remove(path(QStringLiteral("MobilDB.mdb")));
    call("13912345678");
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("13912345678"));
    EXPECT_EQ(scalar(QStringLiteral("select top 1 CIDarea is null from Hv_Cidlist order by id desc")), QStringLiteral("1"));
    EXPECT_EQ(mainLabel(mainWindow, "Label14"), QStringLiteral("北京市"));
}

// A value longer than its column (an operator name) is logged cut to the
// column: a waiting call the file could never take would hold up every call
// after it. The row is whole, and the next call follows it.
TEST_F(IncomingCall, RowIsWrittenWholeWithALongValueCutToItsColumn)
{
    Mymode::OperatorName = QString(300, QLatin1Char('n'));
    call("81234567");
    EXPECT_EQ(calls(), 1);
    EXPECT_EQ(newestCall("CidName"), QString(50, QLatin1Char('n')));
    EXPECT_EQ(newestCall("CallerID"), QStringLiteral("81234567"));
    Mymode::OperatorName = QStringLiteral("system");
    call("81234567");
    EXPECT_EQ(calls(), 2);
    EXPECT_EQ(monitor()->waitingCalls(), 0);
}

} // namespace

namespace {

// The contact's name each number is matched to, one call each.
QStringList matched(callerid::GtMain* monitor, const QList<QByteArray>& numbers)
{
    QStringList names;
    for (const QByteArray& number : numbers) {
        monitor->HandleCallerID(number);
        settleCallLog();
        auto rows = database::query(QStringLiteral("select top 1 UserNO from Hv_Cidlist order by id desc"));
        names << (rows->field(0).isNullOrEmpty() ? QStringLiteral("-") : rows->field(0).toText());
    }
    return names;
}

} // namespace

// The number index and the scan of every row find the same contact: the
// exact number first, then a number standing alone at the end, then the
// lowest id, letters without case; a file without the index still matches.
TEST_F(IncomingCall, IndexedMatchKeepsTheScansMeaning)
{
    const int customer = addCustomer(QStringLiteral("客户"));
    const int first = addContact(customer, QStringLiteral("甲"), QStringLiteral("0755-81234567"));
    addContact(customer, QStringLiteral("乙"), QStringLiteral("13981234567"));
    addContact(customer, QStringLiteral("丙"), QString(), QStringLiteral("123456x"));
    exec(QStringLiteral("insert into KH_LXR (companyid, Connect_name, hometel, fax) values (%1, '丁', '020-7777', '8123456799')")
             .arg(customer));
    const int last = count(QStringLiteral("select max(id) from KH_LXR"));
    const QList<QByteArray> numbers = {"81234567", "1234567", "123456", "0207777", "812345679", "99999"};
    const QStringList expected = {QStringLiteral("甲"), QStringLiteral("甲"), QStringLiteral("丙"),
                                  QStringLiteral("-"),  QStringLiteral("丁"), QStringLiteral("-")};
    EXPECT_EQ(matched(monitor(), numbers), expected);

    // The short numbers the index cannot answer for are looked for in every row.
    auto connection = database::openMain();
    const QStringList columns = {QStringLiteral("tel"), QStringLiteral("fax"), QStringLiteral("mobil"),
                                 QStringLiteral("hometel")};
    const auto two = numbermatch::bestMatches(*connection, QStringLiteral("KH_LXR"), columns,
                                              {QStringLiteral("67"), QStringLiteral("99"), QStringLiteral("")});
    EXPECT_EQ(std::get<1>(two.value(QStringLiteral("67"))), first);
    EXPECT_EQ(std::get<1>(two.value(QStringLiteral("99"))), last);
    EXPECT_FALSE(two.contains(QString()));

    exec(QStringLiteral("drop table KH_LXR_numbertext"));
    EXPECT_EQ(matched(monitor(), numbers), expected);
}

// An unattended day: a thousand callers' cards left open under the common
// limit of 1,024 open files, and the call log still takes every call, the
// last one included, with its contact. The calls come through the box, as
// the poll ticks hand them over.
TEST_F(IncomingCall, AThousandOpenPopUpsLeaveTheCallLogWriting)
{
    constexpr int kCalls = 1000;
    // The limit holds for the calls only; the cards are closed before it is lifted.
    struct FileLimit {
        rlimit before{};
        FileLimit()
        {
            getrlimit(RLIMIT_NOFILE, &before);
            rlimit common = before;
            common.rlim_cur = std::min<rlim_t>(before.rlim_max, 1024);
            setrlimit(RLIMIT_NOFILE, &common);
        }
        ~FileLimit()
        {
            ui::Windows::unloadAll();
            setrlimit(RLIMIT_NOFILE, &before);
        }
    };
    auto limit = std::make_unique<FileLimit>();

    exec(QStringLiteral("insert into company (company_name, company_tel, KH_CZZ) "
                        "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) "
                        "select '客户' || i, '0755-' || (81000000 + i), 'system' from n")
             .arg(kCalls));
    exec(QStringLiteral("insert into KH_LXR (companyid, Connect_name, mobil) "
                        "select id, '联系人' || id, '139' || (10000000 + id) from company"));
    settings(QString(), QStringLiteral("1"), QStringLiteral("0"));
    for (int i = 1; i <= kCalls; ++i) {
        ring(0, QByteArray::number(13910000000LL + i));
        tick();
    }
    const int cards = windowsOf("frmCustDetail");
    const int logged = calls();
    const QString last = newestCall("UserNO");
    const int strangers = count(QStringLiteral("select count(*) from Hv_Cidlist where UserNO is null"));
    limit.reset();

    EXPECT_EQ(cards, kCalls);
    EXPECT_EQ(logged, kCalls);
    EXPECT_EQ(last, QStringLiteral("联系人%1").arg(kCalls));
    EXPECT_EQ(strangers, 0);
}

// A number held whole is found from the indexes of the stored numbers, and
// the contact found is the one the scan of every row finds: a lower id
// holding it with blanks around it (each blank QString::trimmed drops), or
// with other letter cases, wins over a higher id holding it bare; a number
// held only inside longer ones is still found.
TEST_F(IncomingCall, WholeNumbersFromTheIndexesKeepTheScansMeaning)
{
    const int customer = addCustomer(QStringLiteral("客户"));
    QStringList numbers;
    QHash<QString, std::int64_t> padded;
    int serial = 0;
    for (char16_t c = 1; c < 0xFFFF; ++c) {
        if (!QChar(c).isSpace()) continue;
        const QString number = QStringLiteral("1390000%1").arg(++serial, 4, 10, QLatin1Char('0'));
        const QString blank(QChar{c});
        padded.insert(number, addContact(customer, QStringLiteral("甲"), blank + number + blank));
        addContact(customer, QStringLiteral("乙"), QString(), number);
        numbers << number;
    }
    padded.insert(QStringLiteral("0755-1234X"), addContact(customer, QStringLiteral("丙"), QStringLiteral("0755-1234x")));
    addContact(customer, QStringLiteral("丁"), QStringLiteral("0755-1234X"));
    // The Kelvin sign is a "k" without case.
    padded.insert(QStringLiteral("12k45"), addContact(customer, QStringLiteral("己"), QStringLiteral("12\u212A45")));
    addContact(customer, QStringLiteral("庚"), QStringLiteral("12k45"));
    const int inside = addContact(customer, QStringLiteral("戊"), QStringLiteral("13911112222-8"));
    numbers << QStringLiteral("0755-1234X") << QStringLiteral("12k45") << QStringLiteral("13911112222") << QStringLiteral("13933334444");

    const QStringList columns = {QStringLiteral("tel"), QStringLiteral("fax"), QStringLiteral("mobil"),
                                 QStringLiteral("hometel")};
    const auto best = [&] {
        return numbermatch::bestMatches(*database::openMain(), QStringLiteral("KH_LXR"), columns, numbers);
    };
    const QHash<QString, numbermatch::Match> indexed = best();
    for (auto held = padded.cbegin(); held != padded.cend(); ++held)
        EXPECT_EQ(std::get<1>(indexed.value(held.key())), held.value()) << held.key().toStdString();
    EXPECT_EQ(std::get<1>(indexed.value(QStringLiteral("13911112222"))), inside);
    EXPECT_FALSE(indexed.contains(QStringLiteral("13933334444")));
    EXPECT_GE(serial, 20);

    exec(QStringLiteral("drop table KH_LXR_numbertext"));
    for (const char* column : {"tel", "fax", "mobil", "hometel"})
        exec(QStringLiteral("drop index KH_LXR_%1_whole").arg(QLatin1String(column)));
    EXPECT_EQ(best(), indexed);
}
