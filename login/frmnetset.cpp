#include "login/frmnetset.h"

#include "common/database.h"
#include "common/skin.h"
#include "common/rowmessages.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"

#include <QFileInfo>

namespace login {

namespace {

const char* const kHelpLines[] = {
    "                           注意事项",
    "1.在网络中只能设置一台服务器,否则可能会出现数据存储和共享上混乱",
    "2.本软件安装在服务器上时,将安装目录里的'hvcrm'目录(不要修改",
    "  目录名称,不要修改或删除目录里的文件)设置成完全共享,共享名称根",
    "  据自己的需要来起名,服务器端即配置完成,共享名称的最后一个字符",
    "  如果是$的话,那在局域网上的其他用户是看不到本共享目录,但工作站",
    "  上的软件是可以共享数据的,可以起到很好的安全作用.如服务器的名称",
    "  是：hvserver,软件安装目录'hvcrm'的共享目录名称是：hvcrm$ 在服务",
    "  器的文本框就输入：\\\\hvserver\\hvcrm$",
    "3.其他机器均在软件中设置成工作站，设置服务器的计算机名称和共享目",
    "  录名称(如果不知道服务器的计算机名称,请咨询网络管理员),测试必须",
    "  通过,点击'完成'退出网络设置",
    "4.服务器设置完成后，不要轻易改变服务器的网络设置(服务器的计算机",
    "  名称,网络协议等等),否则会造成其他工作站无法登陆或出错",
    "5.如果变更服务器了,请重新配置每台工作站的网络设置",
    "6.本软件的网络版本的使用前提是每个工作站通过windows操作系统中的",
    "  '网上邻居'可以看到准备充当服务器的电脑.具体windows中的网络联结",
    "  可参考相关的资料或咨询相关技术工程师.",
};

QString helpText()
{
    QString text;
    for (const char* line : kHelpLines) text += QString::fromUtf8(line) + QLatin1Char('\n');
    return text;
}

} // namespace

FrmNetSet::FrmNetSet()
    : ui::Form(QStringLiteral("frmNetSet"))
{
    setCaption(QStringLiteral("工作模式设置"));
    setSizeTwips(7080, 8100);

    auto* frame1 = addFrame(QStringLiteral("Frame1"), QStringLiteral("本机工作模式"), 240, 1080, 6480, 735);
    option1_ = addOptionButton(QStringLiteral("Option1"), QStringLiteral("工作站"), 360, 300, 1500, 300, frame1);
    option2_ = addOptionButton(QStringLiteral("Option2"), QStringLiteral("服务器"), 2460, 300, 1500, 300, frame1);
    option3_ = addOptionButton(QStringLiteral("Option3"), QStringLiteral("本机运行"), 4560, 300, 1500, 300, frame1);

    auto* frame2 = addFrame(QStringLiteral("Frame2"), QStringLiteral("请输入服务器的计算机名称和共享目录名称"),
                            240, 1935, 6480, 1695);
    text1_ = addTextBox(QStringLiteral("text1"), 240, 330, 4560, 315, frame2);
    text1_->setText(QStringLiteral("\\\\hvserver\\hvcrm$"));
    command1_ = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/search.bmp")),
                                 5040, 300, 1125, 375, frame2);
    auto* note = addLabel(QStringLiteral("Label1"),
                          QStringLiteral("注：如果服务器名称是：hvserver，软件安装目录下的数据库目录\"hvcrm\""
                                         "的共享目录的名称是hvcrm$，这里就输入\"\\\\hvserver\\hvcrm$\""),
                          240, 780, 6000, 795, frame2);
    note->setWordWrap(true);

    auto* help = addTextArea(QStringLiteral("Text2"), 240, 3750, 6480, 2940);
    help->setText(helpText());
    auto* save = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                  5595, 6810, 1125, 375);

    for (ui::OptionButton* option : {option1_, option2_, option3_})
        option->onClick = [this] { Option_Click(); };
    command1_->onClick = [this] { command1_Click(); };
    save->onClick = [this] { command2_Click(); };
}

// Shows the work mode stored in this computer's own settings row. When it
// cannot be read, the window says why and cannot save: its boxes would store
// their defaults over the stored mode and shared folder.
void FrmNetSet::Form_Load()
{
    const bool read = database::read([&] {
        auto settings = database::queryLocal(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        const QString mode = settings->field(QStringLiteral("WorkModel")).toText();
        if (mode == QLatin1String("1")) {
            option1_->setValue(true);
            text1_->setEnabled(true);
            text1_->setText(settings->field(QStringLiteral("WorkPath")).toText());
            command1_->setEnabled(true);
        } else if (mode == QLatin1String("2") || mode == QLatin1String("3")) {
            (mode == QLatin1String("2") ? option2_ : option3_)->setValue(true);
            text1_->setEnabled(false);
            command1_->setEnabled(false);
        }
    });
    if (!read) control<ui::PictureButton>(QStringLiteral("command2"))->setEnabled(false);
}

void FrmNetSet::Form_Paint()
{
    skin::paint(this);
}

// The option that is set clears the other two; only a workstation names a shared folder.
void FrmNetSet::Option_Click()
{
    const ui::OptionButton* chosen = option1_->value() ? option1_
                                   : option2_->value() ? option2_
                                   : option3_->value() ? option3_
                                                       : nullptr;
    if (!chosen) return;
    for (ui::OptionButton* option : {option1_, option2_, option3_})
        if (option != chosen && option->value()) option->setValue(false);
    const bool workstation = chosen == option1_;
    text1_->setEnabled(workstation);
    command1_->setEnabled(workstation);
}

// Looks only for the database file in the shared folder; it neither opens it
// nor checks that it can be written.
void FrmNetSet::command1_Click()
{
    const QString folder = db::trimBlanks(text1_->text());
    // The file the login will open from this folder.
    const QFileInfo file(database::mainFileIn(folder));
    if (!folder.isEmpty() && file.isFile() && !file.isHidden())
        ui::msgBox(QStringLiteral("测试成功"), ui::Buttons::Ok, ui::Icon::Information, QStringLiteral("连接测试"));
    else
        ui::msgBox(QStringLiteral("测试失败"), ui::Buttons::Ok, ui::Icon::Error, QStringLiteral("连接测试"));
}

// Stores the chosen mode (and a workstation's shared folder, as typed but
// trimmed) in the local settings row; the mode is used from the next start.
void FrmNetSet::command2_Click()
{
    QString mode;
    if (option1_->value()) mode = QStringLiteral("1");
    else if (option2_->value()) mode = QStringLiteral("2");
    else if (option3_->value()) mode = QStringLiteral("3");
    if (mode.isEmpty()) {
        ui::msgBox(QStringLiteral("请选择本机工作模式"));
        return;
    }
    const QString sharedFolder = db::trimBlanks(text1_->text());
    if (mode == QLatin1String("1") && sharedFolder.isEmpty()) {
        ui::msgBox(QStringLiteral("共享目录名称不能为空"));
        return;
    }
    bool stored = false;
    std::optional<db::Error> failure;
    database::guarded([&] {
        auto settings = database::queryLocal(QStringLiteral("select * from DriveInfo"), db::LockType::Optimistic,
                                             db::CursorType::Static);
        if (settings->eof()) return;
        settings->setField(QStringLiteral("WorkModel"), mode);
        if (mode == QLatin1String("1")) settings->setField(QStringLiteral("WorkPath"), sharedFolder);
        settings->update();
        stored = true;
    }, failure);
    if (!stored) {
        rowmessages::showWriteFailed(QStringLiteral("设置保存失败，工作模式没有改变"), failure, caption());
        return;
    }
    ui::msgBox(QStringLiteral("设置成功,重新启动程序后生效！"));
}

} // namespace login
