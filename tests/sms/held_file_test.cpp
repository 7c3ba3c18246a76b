// The SMS windows while another workstation holds the data file or the SMS
// file: a read that fails says why, shows nothing as if stored and lets no
// save write over what could not be read; once the file is free the same
// action passes.
#include "smsfixture.h"
#include "tests/support/busyfile.h"

#include "common/readfailure.h"

#include <QCoreApplication>
#include <functional>
#include <optional>

namespace {

// Another workstation holding the SMS file beside the data file (a server's,
// whose outbox every workstation writes).
class SmsFileHeld {
public:
    SmsFileHeld() : connection_(database::openLocalSms())
    {
        db::setBusyWaitForTests(50);
        connection_->execute(QStringLiteral("BEGIN EXCLUSIVE"));
    }
    ~SmsFileHeld()
    {
        connection_->rollbackTrans();
        db::setBusyWaitForTests(0);
    }

private:
    std::unique_ptr<db::Connection> connection_;
};

class HeldFile : public SmsTest {
protected:
    void SetUp() override
    {
        SmsTest::SetUp();
        gateway->addAccount(QStringLiteral("acct"), QStringLiteral("Secret"), 57);
        execSms(QStringLiteral("update SMSSET set RegNO='acct', RegPass='Secret'"));
        addCustomer(QStringLiteral("华东贸易"), QStringLiteral("13900000001"));
    }
};

TEST_F(HeldFile, AReadThatFailsSaysWhyAndLeavesNothingToStoreOverWhatIsStored)
{
    const auto saves = [this] { return ctl<ui::PictureButton>("command1")->isEnabled() ? "|saves" : "|cannot save"; };
    const struct {
        const char* what;
        bool smsFile;                     // the SMS file is held, else the data file
        std::function<ui::Form*()> before;  // run before the hold: a window that stays open
        std::function<void()> act;        // run while the file is held, then once it is free
        std::function<QString()> shown;
        const char* held;
        const char* free;
    } cases[] = {
        {"gateway set-up", false, [] { return nullptr; }, [this] { open("SMSSet"); },
         [&] { return ctl<ui::TextBox>("text1")->text() + saves(); }, "acct|cannot save", "acct|saves"},
        {"balance", true, [] { return nullptr; }, [this] { open("SMSCZ"); },
         [this] { return ctl<ui::Label>("Label1")->caption(); }, "", "帐户余额数(条)：57"},
        {"password change", true,
         [this] {
             open("SMSeditpas");
             for (const auto& [box, text] : {std::pair{"Text3", "Secret"}, {"text1", "new1"}, {"text2", "new1"}})
                 ctl<ui::TextBox>(box)->setText(QLatin1String(text));
             return window;
         },
         [this] { click("command1"); },
         [] {
             auto connection = database::openLocalSms();
             db::Recordset row;
             row.open(QStringLiteral("select RegPass from SMSSET"), *connection);
             return row.field(0).toText();
         },
         "Secret", "new1"},
        {"every customer's number", false, [this] { return open("SMSsend"); },
         [this] {
             ctl<ui::CheckBox>("Check1")->setValue(0);
             ctl<ui::CheckBox>("Check1")->click();
         },
         [this] { return ctl<ui::TextArea>("text1")->text(); }, "", "13900000001;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ui::Form* staying = c.before();
        messages.clear();
        {
            std::optional<OtherWorkstationWriting> dataFile;
            std::optional<SmsFileHeld> smsFile;
            if (c.smsFile) smsFile.emplace();
            else dataFile.emplace(OtherWorkstationWriting::Hold::Exclusive);
            c.act();
        }
        expectOnly(QString::fromUtf8(readfailure::kBusyText));
        EXPECT_EQ(c.shown(), QString::fromUtf8(c.held));

        QCoreApplication::processEvents();
        if (!staying) ui::Windows::unloadAll();
        c.act();
        EXPECT_EQ(c.shown(), QString::fromUtf8(c.free));
        ui::Windows::unloadAll();
        messages.clear();
    }
}

} // namespace
