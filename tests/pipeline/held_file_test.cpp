// The record windows of this folder while another workstation holds the data
// file: an editor that cannot read its record (or a quotation its lines) says
// why and cannot save over it, a check of the customer says why instead of
// "公司名不存在"; once the file is free the same action passes.
#include "tests/pipeline/pipelinefixture.h"
#include "tests/support/busyfile.h"

#include "common/mymode.h"
#include "common/readfailure.h"
#include "platform/ui/windows.h"

#include <QCoreApplication>

namespace {

const QString kBusyRead = QString::fromUtf8(readfailure::kBusyText);

class HeldFile : public PipelineTest {
protected:
    void SetUp() override
    {
        PipelineTest::SetUp();
        setNow(QDateTime(QDate(2026, 3, 10), QTime(10, 0)));
        setReferenceValues(QStringLiteral("servertype"), {QStringLiteral("维修")});
        customer = addCustomer(QStringLiteral("华东贸易"));
    }
    static bool saves(ui::Form* window)
    {
        return window->control<ui::PictureButton>(QStringLiteral("command1"))->isEnabled();
    }
    // The next action waits for the file again.
    static void backToTheEventLoop() { QCoreApplication::processEvents(); }

    int customer = 0;
};

TEST_F(HeldFile, AnEditorThatCannotReadItsRecordSaysWhyAndCannotSaveOverIt)
{
    const QString id = QString::number(customer);
    const auto record = [&](const char* table, const char* titleColumn, const char* title, QMap<QString, QString> more = {}) {
        more.insert(QStringLiteral("companyid"), id);
        more.insert(QLatin1String(titleColumn), QString::fromUtf8(title));
        return insert(QLatin1String(table), more);
    };
    const int activity = record("KH_ACT", "ActionTitle", "回访");
    const int service = record("service", "service_title", "卡纸");
    const int quotation = record("chance", "chance_title", "打印机", {{QStringLiteral("indexflag"), QStringLiteral("q1")}});
    insert(QStringLiteral("chanceMX"), {{QStringLiteral("productname"), QStringLiteral("墨盒")},
                                        {QStringLiteral("num"), QStringLiteral("2")},
                                        {QStringLiteral("indexflag"), QStringLiteral("q1")}});
    const struct {
        const char* kind;
        int record;
        const char* box;      // shows the stored record
        const char* stored;
        bool lines;           // the stored quotation line shows as well
    } cases[] = {
        {"ActionDetal", activity, "ActionTitle", "回访", false},
        {"ServiceDetal", service, "service_title", "卡纸", false},
        {"ChanceDetail", quotation, "chance_title", "打印机", true},
        {"becomeOrder", quotation, "sales_title", "打印机", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ui::Form* window = nullptr;
        {
            OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
            window = openFor(QLatin1String(c.kind), c.record);
        }
        expectOnly(kBusyRead);
        EXPECT_EQ(text(window, QLatin1String(c.box)), QString());
        EXPECT_FALSE(saves(window));

        ui::Windows::unloadAll();
        backToTheEventLoop();
        window = openFor(QLatin1String(c.kind), c.record);
        EXPECT_TRUE(messages.shown().empty()) << messages.lastText().toStdString();
        EXPECT_EQ(text(window, QLatin1String(c.box)), QString::fromUtf8(c.stored));
        if (c.lines) EXPECT_EQ(cell(window, "product", 0), QStringLiteral("墨盒"));
        EXPECT_TRUE(saves(window));
        ui::Windows::unloadAll();
    }

    // A quotation whose lines alone cannot be read is not shown as if it had
    // none, and cannot be saved: the save would store it with no lines.
    exec(QStringLiteral("alter table chanceMX rename to chanceMX_away"));
    ui::Form* window = openFor(QStringLiteral("ChanceDetail"), quotation);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.lastText().startsWith(QString::fromUtf8(readfailure::kFailedText)));
    EXPECT_EQ(text(window, QStringLiteral("chance_title")), QString());
    EXPECT_FALSE(saves(window));
    exec(QStringLiteral("alter table chanceMX_away rename to chanceMX"));
}

TEST_F(HeldFile, ACustomerThatCannotBeLookedUpIsNotReportedGone)
{
    const struct {
        const char* kind;
        const char* table;
        const char* saved;
    } cases[] = {
        {"ActionAdd", "KH_ACT", "活动已成功加入"},
        {"ServiceAdd", "service", "服务反馈已成功加入"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        Mymode::CurrentRecordId = customer;
        ui::Form* window = open(QLatin1String(c.kind));
        for (const char* box : {"ActionTitle", "service_title", "service_connect"})
            if (window->hasControl(QLatin1String(box))) type(window, QLatin1String(box), QStringLiteral("回访"));
        if (window->hasControl(QStringLiteral("service_type")))
            pick(window, QStringLiteral("service_type"), QStringLiteral("维修"));
        const QString rows = QStringLiteral("select count(*) from ") + QLatin1String(c.table);
        messages.clear();
        {
            OtherWorkstationWriting other(OtherWorkstationWriting::Hold::Exclusive);
            click(window, QStringLiteral("command1"));
        }
        expectOnly(kBusyRead);
        EXPECT_TRUE(isOpen(QLatin1String(c.kind)));
        EXPECT_EQ(count(rows), 0);

        backToTheEventLoop();
        click(window, QStringLiteral("command1"));
        expectOnly(QString::fromUtf8(c.saved));
        EXPECT_EQ(count(rows), 1);
        ui::Windows::unloadAll();
    }
}

} // namespace
