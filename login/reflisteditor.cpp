#include "login/reflisteditor.h"

#include "common/database.h"
#include "common/gridbinding.h"
#include "common/skin.h"
#include "common/rowmessages.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace login {

const std::vector<RefList>& refLists()
{
    static const std::vector<RefList> lists = {
        {QStringLiteral("setclient_type"), QStringLiteral("客户分组"), QStringLiteral("客户分组"),
         QStringLiteral("client_type"), QStringLiteral("客户类型"), 3765, 4110},
        {QStringLiteral("setclientsource"), QStringLiteral("客户来源"), QStringLiteral("客户来源"),
         QStringLiteral("clientsource"), QStringLiteral("客户来源"), 3945, 3915},
        {QStringLiteral("setindustry"), QStringLiteral("客户行业"), QStringLiteral("客户行业"),
         QStringLiteral("industry"), QStringLiteral("客户行业"), 3945, 4080},
        {QStringLiteral("setinvoice"), QStringLiteral("发票类型"), QStringLiteral("发票类型"),
         QStringLiteral("invoice"), QStringLiteral("发票类型"), 4020, 4095},
        {QStringLiteral("setprogramstate"), QStringLiteral("业务流程"), QStringLiteral("业务流程"),
         QStringLiteral("programstate"), QStringLiteral("业务流程"), 3750, 3960},
        {QStringLiteral("setregarding"), QStringLiteral("活动类型"), QStringLiteral("活动类型"),
         QStringLiteral("regarding"), QStringLiteral("活动类型"), 3750, 3915},
        {QStringLiteral("SetServiceType"), QStringLiteral("服务类型"), QStringLiteral("服务类型"),
         QStringLiteral("servertype"), QStringLiteral("服务类型"), 4005, 4005},
        {QStringLiteral("SetMoneyType"), QStringLiteral("币种"), QStringLiteral("币  种"),
         QStringLiteral("moneytype"), QStringLiteral("币种"), 4440, 3945},
    };
    return lists;
}

RefListEditor::RefListEditor(const RefList& list)
    : ui::Form(list.kind), list_(list)
{
    setCaption(list.word + QStringLiteral("设置"));
    setSizeTwips(list.clientWidth, list.clientHeight);

    addLabel(QStringLiteral("Label1"), list.label, 240, 495, 735, 255);
    servicetype_ = addTextBox(QStringLiteral("servicetype"), 1080, 495, 1455, 285);
    auto* add = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/add.bmp")),
                                 2640, 480, 735, 330);
    grid_ = addDataGrid(QStringLiteral("DataGrid1"), 120, 855, 3495, 2175);
    grid_->setToolTipText(QStringLiteral("双击直接修改"));
    grid_->setAllowUpdate(true);
    auto* remove = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/delete.bmp")),
                                    720, 3120, 735, 330);
    auto* close = addPictureButton(QStringLiteral("Command4"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   2160, 3120, 735, 330);

    add->onClick = [this] { command3_Click(); };
    remove->onClick = [this] { command1_Click(); };
    close->onClick = [this] { Command4_Click(); };
}

void RefListEditor::Form_Load()
{
    DataGridFresh();
}

void RefListEditor::DataGridFresh()
{
    gridbinding::Options options;
    options.reportFailure = true;
    gridbinding::bind(grid_, QStringLiteral("select id,") + list_.table + QStringLiteral(" from ") + list_.table,
                      {{QStringLiteral("id"), 0, QStringLiteral("id")}, {list_.gridCaption, 1500, list_.table}},
                      options);
}

// Adds the text exactly as typed (blanks included); only an empty box is refused.
// The box is emptied and success reported only once the row is stored.
void RefListEditor::command3_Click()
{
    const QString text = servicetype_->text();
    if (text.isEmpty()) {
        ui::msgBox(list_.word + QStringLiteral("不能为空"));
        return;
    }
    std::optional<db::Error> failure;
    const bool stored = database::guarded([&] {
        auto connection = database::openMain();
        db::Recordset rows;
        rows.open(QStringLiteral("select * from ") + list_.table, *connection,
                  db::CursorType::Static, db::LockType::Optimistic);
        rows.addNew();
        rows.setField(list_.table, text);
        rows.update();
    }, failure);
    if (!stored) {
        rowmessages::showWriteFailed(list_.word + QStringLiteral("添加失败，数据未保存"), failure, caption());
        return;
    }
    servicetype_->setText(QString());
    ui::msgBox(list_.word + QStringLiteral("添加成功"));
    DataGridFresh();
}

// Deletes the grid's current row by its key; records that copied the text keep it.
void RefListEditor::command1_Click()
{
    if (!rowmessages::confirmDelete()) return;
    const auto row = rowmessages::rowToDelete(QStringLiteral("select * from ") + list_.table + QStringLiteral(" where id= "),
                                              grid_->currentKey(), caption());
    if (!row) return;
    if (rowmessages::deleteRow(*row, caption())) DataGridFresh();
}

void RefListEditor::Command4_Click()
{
    ui::Windows::unload(this);
}

void RefListEditor::Form_Paint()
{
    skin::paint(this);
}

} // namespace login
