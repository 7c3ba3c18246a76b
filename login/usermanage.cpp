#include "login/usermanage.h"

#include "common/database.h"
#include "common/gridbinding.h"
#include "common/skin.h"
#include "common/sqltext.h"
#include "login/accounts.h"
#include "common/rowmessages.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace login {

namespace {

const QString kTitle = QStringLiteral("用户管理");

// The fourteen rights flags of sys_user in the order they are written, each
// with its check box caption and its place in the frame (column 0 edits and
// the report right, column 1 deletes and the call-log right).
struct Right {
    const char* column;
    const char* caption;
    int frameColumn;
    int row;
};
constexpr std::array<Right, 14> kRights = {{
    {"e_cust", "修改客户", 0, 0},
    {"e_conn", "修改联系人", 0, 1},
    {"e_acti", "修改活动", 0, 2},
    {"e_chan", "修改报价", 0, 3},
    {"e_sals", "修改销售", 0, 4},
    {"e_serv", "修改服务", 0, 5},
    {"d_cust", "删除客户", 1, 0},
    {"d_conn", "删除联系人", 1, 1},
    {"d_acti", "删除活动", 1, 2},
    {"d_chan", "删除报价", 1, 3},
    {"d_sals", "删除销售", 1, 4},
    {"d_serv", "删除服务", 1, 5},
    {"b_rept", "浏览报表", 0, 6},
    {"b_work", "删除来电/录音", 1, 6},
}};

// The record scopes "1", "2", "3" are the options of index 0, 1, 2.
struct Scope {
    const char* caption;
    double left;
    double width;
};
constexpr std::array<Scope, 3> kScopes = {{
    {"全部", 180, 855},
    {"本人及公开", 1080, 1275},
    {"本人", 2400, 855},
}};

QString utf8Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

FrmUserManage::FrmUserManage()
    : ui::Form(QStringLiteral("frmUserManage"))
{
    setCaption(kTitle);
    setSizeTwips(6030, 5250);

    grid_ = addDataGrid(QStringLiteral("DataGrid1"), 120, 495, 2055, 3975);
    grid_->setAllowUpdate(false);

    addLabel(QStringLiteral("Label1"), QStringLiteral("用户名："), 2400, 540, 735, 255);
    userName_ = addTextBox(QStringLiteral("User_name"), 3180, 495, 1815, 285);
    addLabel(QStringLiteral("Label2"), QStringLiteral("密码："), 2400, 900, 735, 255);
    userPwd_ = addTextBox(QStringLiteral("User_pwd"), 3180, 855, 1815, 285);
    userPwd_->setPasswordChar(QLatin1Char('*'));

    auto* rightsFrame = addFrame(QStringLiteral("Frame1"), QStringLiteral("操作权限"), 2400, 1260, 3375, 2430);
    for (std::size_t i = 0; i < kRights.size(); ++i) {
        const Right& right = kRights[i];
        rights_[i] = addCheckBox(utf8Text(right.column), utf8Text(right.caption), 180 + right.frameColumn * 1620,
                                 270 + right.row * 300, 1500, 255, rightsFrame);
    }

    auto* scopeFrame = addFrame(QStringLiteral("Frame2"), QStringLiteral("记录权限"), 2400, 3780, 3375, 600);
    for (std::size_t i = 0; i < kScopes.size(); ++i) {
        scopes_[i] = addOptionButton(QStringLiteral("Option1(%1)").arg(i), utf8Text(kScopes[i].caption),
                                     kScopes[i].left, 240, kScopes[i].width, 255, scopeFrame);
        scopes_[i]->onClick = [this, i] { Option1_Click(int(i)); };
    }
    clearBoxes();

    auto* add = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/add.bmp")),
                                 2400, 4560, 735, 330);
    auto* modify = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                    3240, 4560, 735, 330);
    auto* remove = addPictureButton(QStringLiteral("Command4"), ui::programPath(QStringLiteral("bmp/delete.bmp")),
                                    4080, 4560, 735, 330);
    auto* close = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   4920, 4560, 735, 330);

    add->onClick = [this] { command1_Click(); };
    modify->onClick = [this] { command3_Click(); };
    remove->onClick = [this] { Command4_Click(); };
    close->onClick = [this] { command2_Click(); };
    // A click loads the row even when it is current already.
    grid_->onRowColChange = [this] { LoadSelectedUser(); };
    grid_->onClick = [this] { LoadSelectedUser(); };
}

// The boxes stay as the window opens them, empty with no right and the scope
// "全部", until the operator picks a row: an operator added at once holds
// only the rights ticked for him.
void FrmUserManage::Form_Load()
{
    DataGridFresh();
}

// Fills the grid again; the grid then stands on its first row, and the boxes
// keep what they show.
void FrmUserManage::DataGridFresh()
{
    gridbinding::Options options;
    options.reportFailure = true;
    gridbinding::bind(grid_, QStringLiteral("select User_id,User_name from sys_user"),
                      {{QStringLiteral("id"), 0, QStringLiteral("User_id")},
                       {QStringLiteral("用户名称"), 1500, QStringLiteral("User_name")}},
                      options);
}

// Fills the grid again standing on the operator just stored, whose row the
// boxes then show as saved.
void FrmUserManage::showStored(const db::Variant& userId)
{
    DataGridFresh();
    grid_->setCurrentKey(userId);
    LoadSelectedUser();
}

// The boxes as the window opens: no name, no password, no right, the scope "全部".
void FrmUserManage::clearBoxes()
{
    userName_->setText(QString());
    userPwd_->setText(QString());
    for (ui::CheckBox* right : rights_) right->setValue(0);
    scopes_[0]->setValue(true);
}

// Adds an operator with the trimmed name and password and the rights shown;
// a name that an operator already has is refused, and success is reported only
// once the row is stored. The new operator becomes the current row.
void FrmUserManage::command1_Click()
{
    const QString name = db::trimBlanks(userName_->text());
    if (name.isEmpty()) {
        ui::msgBox(QStringLiteral("用户名称不能为空"));
        return;
    }
    bool taken = false;
    db::Variant added;
    std::optional<db::Error> failure;
    const bool stored = database::guarded([&] {
        auto connection = database::openMain();
        taken = nameTaken(*connection, name);
        if (taken) return;
        db::Recordset rows;
        rows.open(QStringLiteral("select* from sys_user"), *connection, db::CursorType::Keyset,
                  db::LockType::Optimistic);
        rows.addNew();
        rows.setField(QStringLiteral("user_name"), name);
        rows.setField(QStringLiteral("user_pwd"), db::trimBlanks(userPwd_->text()));
        writeRights(rows);
        rows.update();
        added = rows.field(QStringLiteral("User_id"));
    }, failure);
    if (!stored) {
        rowmessages::showWriteFailed(QStringLiteral("用户加入失败，数据未保存"), failure, kTitle);
        return;
    }
    if (taken) {
        ui::msgBox(QStringLiteral("用户名称已存在，请换一个名称"));
        return;
    }
    ui::msgBox(QStringLiteral("用户已成功加入"));
    showStored(added);
}

// Stores the rights and scope shown for the operator named in the box; the
// password and the administrator flag are never changed here. That operator
// becomes the current row.
void FrmUserManage::command3_Click()
{
    if (db::trimBlanks(userName_->text()).isEmpty()) {
        ui::msgBox(QStringLiteral("请先选定用户"));
        return;
    }
    bool found = false;
    db::Variant modified;
    std::optional<db::Error> failure;
    const bool stored = database::guarded([&] {
        auto connection = database::openMain();
        db::Recordset row;
        row.open(QStringLiteral("select* from sys_user where user_name= ") + sqltext::quoted(userName_->text()),
                 *connection, db::CursorType::Keyset, db::LockType::Optimistic);
        found = !row.eof();
        if (!found) return;
        modified = row.field(QStringLiteral("User_id"));
        row.setField(QStringLiteral("user_name"), db::trimBlanks(userName_->text()));
        writeRights(row);
        row.update();
    }, failure);
    if (!stored) {
        rowmessages::showWriteFailed(QStringLiteral("用户权限修改失败，数据未保存"), failure, kTitle);
        return;
    }
    if (!found) {
        ui::msgBox(QStringLiteral("用户不存在，权限未修改"));
        return;
    }
    ui::msgBox(QStringLiteral("用户权限已成功修改"));
    showStored(modified);
}

// Deletes the grid's current operator unless he is an administrator; the
// records he owns keep his name.
void FrmUserManage::Command4_Click()
{
    if (!rowmessages::confirmDelete()) return;
    const auto row =
        rowmessages::rowToDelete(QStringLiteral("select* from sys_user where user_id= "), grid_->currentKey(), kTitle);
    if (!row) return;
    bool administrator = false;
    if (!database::read(
            [&] { administrator = row->field(QStringLiteral("permission")).toText() == QLatin1String("1"); }))
        return;
    if (administrator) {
        ui::msgBox(QStringLiteral("系统管理员帐号不能删除"), ui::Buttons::Ok, ui::Icon::Error, kTitle);
        return;
    }
    rowmessages::deleteRow(*row, kTitle);
    // The deleted operator leaves the boxes; no other takes his place until picked.
    DataGridFresh();
    clearBoxes();
}

void FrmUserManage::command2_Click()
{
    ui::Windows::unload(this);
}

// Shows the current row's operator (the grid's row change and click). A right box is checked exactly when the
// operator holds the right at login (the column is "1"), so an empty or odd
// value shows unchecked rather than keeping the previous operator's box.
void FrmUserManage::LoadSelectedUser()
{
    const db::Variant key = grid_->currentKey();
    if (!db::isNumeric(key)) return;
    database::read([&] {
        auto rows = database::query(QStringLiteral("select* from sys_user where user_id= ")
                                    + QString::number(key.toLong()));
        if (rows->eof()) return;
        userName_->setText(rows->field(QStringLiteral("user_name")).toText());
        userPwd_->setText(db::trimBlanks(rows->field(QStringLiteral("user_pwd")).toText()));
        for (std::size_t i = 0; i < kRights.size(); ++i)
            rights_[i]->setValue(rows->field(utf8Text(kRights[i].column)).toText() == QLatin1String("1") ? 1 : 0);
        const QString scope = rows->field(QStringLiteral("Uright")).toText();
        for (std::size_t i = 0; i < scopes_.size(); ++i) {
            if (scope == QString::number(i + 1)) scopes_[i]->setValue(true);
        }
    });
}

void FrmUserManage::Option1_Click(int index)
{
    // The options share one frame, so setting one clears the other two.
    scopes_[std::size_t(index)]->setValue(true);
}

void FrmUserManage::Form_Paint()
{
    skin::paint(this);
}

void FrmUserManage::writeRights(db::Recordset& row) const
{
    for (std::size_t i = 0; i < kRights.size(); ++i)
        row.setField(utf8Text(kRights[i].column), rights_[i]->value() ? QStringLiteral("1") : QStringLiteral("0"));
    row.setField(QStringLiteral("Uright"), selectedScope());
}

QString FrmUserManage::selectedScope() const
{
    for (std::size_t i = 0; i < scopes_.size(); ++i) {
        if (scopes_[i]->value()) return QString::number(i + 1);
    }
    return QStringLiteral("1");
}

} // namespace login
