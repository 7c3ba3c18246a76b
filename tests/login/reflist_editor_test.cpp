// The eight reference-list editors, driven through the window as an operator does.
#include "tests/support/scratch.h"

#include "tests/login/unreachable.h"

#include "common/savefailure.h"
#include "platform/ui/windows.h"
#include "tests/support/busyfile.h"

#include <optional>

namespace {

struct Member {
    const char* kind;
    const char* caption;
    const char* label;
    const char* table;
    const char* gridCaption;
    const char* emptyMessage;
    const char* successMessage;
};

const Member kMembers[] = {
    {"setclient_type", "客户分组设置", "客户分组", "client_type", "客户类型", "客户分组不能为空", "客户分组添加成功"},
    {"setclientsource", "客户来源设置", "客户来源", "clientsource", "客户来源", "客户来源不能为空", "客户来源添加成功"},
    {"setindustry", "客户行业设置", "客户行业", "industry", "客户行业", "客户行业不能为空", "客户行业添加成功"},
    {"setinvoice", "发票类型设置", "发票类型", "invoice", "发票类型", "发票类型不能为空", "发票类型添加成功"},
    {"setprogramstate", "业务流程设置", "业务流程", "programstate", "业务流程", "业务流程不能为空", "业务流程添加成功"},
    {"setregarding", "活动类型设置", "活动类型", "regarding", "活动类型", "活动类型不能为空", "活动类型添加成功"},
    {"SetServiceType", "服务类型设置", "服务类型", "servertype", "服务类型", "服务类型不能为空", "服务类型添加成功"},
    {"SetMoneyType", "币种设置", "币  种", "moneytype", "币种", "币种不能为空", "币种添加成功"},
};

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

ui::DataGrid* grid(ui::Form* form) { return form->control<ui::DataGrid>(QStringLiteral("DataGrid1")); }
ui::TextBox* box(ui::Form* form) { return form->control<ui::TextBox>(QStringLiteral("servicetype")); }
void click(ui::Form* form, const char* button) { form->control<ui::PictureButton>(u(button))->click(); }

// The editors start on empty lists: the first start's entries are removed.
class EmptyLists : public ScratchProgram {
protected:
    void SetUp() override
    {
        ScratchProgram::SetUp();
        for (const Member& m : kMembers) exec(QStringLiteral("delete from ") + u(m.table));
    }
};

class EveryRefList : public EmptyLists, public ::testing::WithParamInterface<Member> {};

TEST_P(EveryRefList, addsEditsInPlaceAndDeletesAValue)
{
    const Member& m = GetParam();
    const QString firstValue = QStringLiteral("select ") + u(m.table) + QStringLiteral(" from ") + u(m.table);
    const QString rows = QStringLiteral("select count(*) from ") + u(m.table);
    ui::Form* form = ui::Windows::open(u(m.kind));
    EXPECT_EQ(form->caption(), u(m.caption));
    EXPECT_EQ(form->control<ui::Label>(QStringLiteral("Label1"))->caption(), u(m.label));
    EXPECT_EQ(grid(form)->columnWidth(0), 0);
    EXPECT_EQ(grid(form)->columnCaption(1), u(m.gridCaption));

    click(form, "command3");
    EXPECT_EQ(messages.lastText(), u(m.emptyMessage));
    EXPECT_EQ(count(rows), 0);

    // Stored exactly as typed, blanks included; the box empties and the grid lists it.
    box(form)->setText(QStringLiteral("  华东 区 "));
    click(form, "command3");
    EXPECT_EQ(messages.lastText(), u(m.successMessage));
    EXPECT_EQ(scalar(firstValue), QStringLiteral("  华东 区 "));
    EXPECT_TRUE(box(form)->text().isEmpty());
    ASSERT_EQ(grid(form)->rowCount(), 1);
    EXPECT_EQ(grid(form)->cellText(0, 1), QStringLiteral("  华东 区 "));

    ASSERT_TRUE(grid(form)->editCell(0, 1, QStringLiteral("华南")));
    EXPECT_EQ(scalar(firstValue), QStringLiteral("华南"));

    grid(form)->setCurrentRow(0);
    messages.clear();
    messages.answerNext(ui::Answer::No);
    click(form, "command1");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("真要删除当前记录吗？"));
    EXPECT_EQ(messages.shown()[0].buttons, ui::Buttons::YesNo);
    EXPECT_EQ(count(rows), 1);

    messages.answerNext(ui::Answer::Yes);
    click(form, "command1");
    EXPECT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(count(rows), 0);
    EXPECT_EQ(grid(form)->rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(RefLists, EveryRefList, ::testing::ValuesIn(kMembers),
                         [](const ::testing::TestParamInfo<Member>& info) { return std::string(info.param.kind); });

using RefListEditorTest = EmptyLists;

TEST_F(RefListEditorTest, duplicatesAndQuotesAreStoredAsTyped)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("setclient_type"));
    for (int i = 0; i < 2; ++i) {
        box(form)->setText(QStringLiteral("O'Neil & Co"));
        click(form, "command3");
        EXPECT_EQ(messages.lastText(), QStringLiteral("客户分组添加成功"));
    }
    EXPECT_EQ(count(QStringLiteral("select count(*) from client_type where client_type='O''Neil & Co' "
                                   "and py_code is null")), 2);
    EXPECT_EQ(grid(form)->rowCount(), 2);
}

TEST_F(RefListEditorTest, aFailedAddSaysSoAndKeepsTheText)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("setregarding"));
    makeDatabaseUnreachable(dir);
    box(form)->setText(QStringLiteral("上门拜访"));
    click(form, "command3");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, QStringLiteral("活动类型添加失败，数据未保存"));
    EXPECT_EQ(messages.shown()[0].icon, ui::Icon::Error);
    EXPECT_EQ(box(form)->text(), QStringLiteral("上门拜访"));
}

TEST_F(RefListEditorTest, anInPlaceEditThatIsNotStoredSaysWhy)
{
    exec(QStringLiteral("insert into client_type (client_type) values ('华东')"));
    // held: a colleague's write is under way.
    const struct { const char* name; QString typed; bool held; QString message; } cases[] = {
        {"too long", QString(300, QLatin1Char('x')), false, QStringLiteral("客户类型太长，最多50个字")},
        {"busy", QStringLiteral("华南"), true, QStringLiteral("客户类型未能保存：") + QString::fromUtf8(savefailure::kBusyText)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui::Form* form = ui::Windows::open(QStringLiteral("setclient_type"));
        {
            std::optional<OtherWorkstationWriting> colleague;
            if (c.held) colleague.emplace();
            EXPECT_FALSE(grid(form)->editCell(0, 1, c.typed));
        }
        expectOnly(c.message);
        EXPECT_EQ(scalar(QStringLiteral("select client_type from client_type")), QStringLiteral("华东"));
        EXPECT_EQ(grid(form)->cellText(0, 1), QStringLiteral("华东"));
        ui::Windows::unloadAll();
    }
}

TEST_F(RefListEditorTest, deletingWhatIsNotThereIsReported)
{
    ui::Form* form = ui::Windows::open(QStringLiteral("setinvoice"));
    messages.answerNext(ui::Answer::Yes);
    click(form, "command1");
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在，可能已经被删除"));

    // Closing unloads; reopening lists what another computer added meanwhile.
    click(form, "Command4");
    EXPECT_EQ(ui::Windows::loaded(QStringLiteral("setinvoice")), nullptr);
    exec(QStringLiteral("insert into invoice (invoice) values ('增值税发票')"));
    form = ui::Windows::open(QStringLiteral("setinvoice"));
    ASSERT_EQ(grid(form)->rowCount(), 1);

    // A row deleted elsewhere after the grid was filled stays listed.
    grid(form)->setCurrentRow(0);
    exec(QStringLiteral("delete from invoice"));
    messages.clear();
    messages.answerNext(ui::Answer::Yes);
    click(form, "command1");
    EXPECT_EQ(messages.lastText(), QStringLiteral("记录不存在，可能已经被删除"));
    EXPECT_EQ(grid(form)->rowCount(), 1);
}

} // namespace
