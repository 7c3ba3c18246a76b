#include "callerid/sysother.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace callerid {

namespace {

const char* const kNumberRefused = "号码不是一个数值";
const char* const kDaysRefused = "天数不是一个数值";
const char* const kSaved = "设置已生效";
const char* const kNotSaved = "设置保存失败";
const char* const kAgeNotSaved = "其它设置已保存，但本机的录音保留天数未能保存";
const char* const kKeepAllTip = "不填：录音文件一直保留，不自动删除";

bool isNumberOrEmpty(const QString& text)
{
    return text.isEmpty() || db::isNumeric(db::Variant(text));
}

// Ticked only for the value 1; text that is not a number, or no value, is unticked.
int tickOf(const db::Variant& value)
{
    return db::isNumeric(value) && value.toDouble() == 1 ? 1 : 0;
}

} // namespace

SysOther::SysOther() : ui::Form(QStringLiteral("sysOther"))
{
    setCaption(QStringLiteral("其它设置"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(4755, 5025);
    setFixedSize(size());

    addLabel(QStringLiteral("Label1"), QStringLiteral("接到外线号："), 360, 960, 1320, 255);
    text1 = addTextBox(QStringLiteral("text1"), 1680, 900, 1095, 330);
    addLabel(QStringLiteral("Label2"), QStringLiteral("系统号码中过滤"), 360, 1440, 1320, 255);
    text2 = addTextBox(QStringLiteral("text2"), 1680, 1380, 1095, 330);
    addLabel(QStringLiteral("Label3"), QStringLiteral("号后比较"), 2880, 1440, 960, 255);

    ui::Frame* recording = addFrame(QStringLiteral("Frame1"), QStringLiteral("录音设置"), 240, 1860, 4155, 1215);
    Check1 = addCheckBox(QStringLiteral("Check1"), QStringLiteral("来电自动启动录音"), 240, 300, 3000, 255, recording);
    addLabel(QStringLiteral("Label4"), QStringLiteral("自动删除"), 240, 780, 840, 255, recording);
    Text3 = addTextBox(QStringLiteral("Text3"), 1080, 720, 735, 330, recording);
    Text3->setToolTip(QString::fromUtf8(kKeepAllTip));
    addLabel(QStringLiteral("Label5"), QStringLiteral("天以前的录音文件"), 1920, 780, 1800, 255, recording);

    Check2 = addCheckBox(QStringLiteral("Check2"), QStringLiteral("来电显否弹出窗口"), 480, 3240, 3000, 255);

    ui::PictureButton* save = addPictureButton(QStringLiteral("command1"), QStringLiteral("bmp/save.bmp"), 1080, 3660, 735, 330);
    save->setToolTip(QStringLiteral("保存"));
    save->onClick = [this] { command1_Click(); };
    ui::PictureButton* close = addPictureButton(QStringLiteral("command2"), QStringLiteral("bmp/close.bmp"), 2760, 3660, 735, 330);
    close->setToolTip(QStringLiteral("关闭"));
    close->onClick = [this] { command2_Click(); };
}

// Settings that cannot be read now are said so, and the window shows none
// and cannot save: the designed values would read as stored, and a save
// would store them over the real ones.
void SysOther::Form_Load()
{
    const bool read = database::read([this] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"));
        if (settings->eof()) return;
        // Each box shows what is stored. An empty recording age keeps every
        // recording, as the next start's purge reads it, so it shows empty.
        const auto show = [&settings](ui::TextBox* box, const char* column) {
            box->setText(settings->field(QString::fromLatin1(column)).toText());
        };
        show(text2, "FlterChar");
        show(text1, "OutLine");
        if (agesApart()) {
            auto own = database::queryLocal(QStringLiteral("select DelRecDay from DriveInfo"));
            Text3->setText(own->eof() ? QString() : own->field(QStringLiteral("DelRecDay")).toText());
        } else {
            show(Text3, "DelRecDay");
        }
        Check1->setValue(tickOf(settings->field(QStringLiteral("RecordFlag"))));
        Check2->setValue(tickOf(settings->field(QStringLiteral("isPop"))));
    });
    if (read) return;
    Text3->setText(QString());
    control<ui::PictureButton>(QStringLiteral("command1"))->setEnabled(false);
}

void SysOther::Form_Paint()
{
    skin::paint(this);
}

void SysOther::command1_Click()
{
    if (!isNumberOrEmpty(text1->text())) {
        ui::msgBox(QString::fromUtf8(kNumberRefused));
        return;
    }
    if (!isNumberOrEmpty(Text3->text())) {
        ui::msgBox(QString::fromUtf8(kDaysRefused));
        return;
    }
    // The values of one file are stored together or none is (a workstation
    // keeps the recording age in its own file, written after the shared
    // settings); the window stays open with its values when they could not
    // be stored.
    std::optional<db::Error> failure;
    QString notSaved;
    if (!store(failure, notSaved)) {
        ui::msgBox(savefailure::text(notSaved, *failure));
        return;
    }
    ui::msgBox(QString::fromUtf8(kSaved));
    ui::Windows::unload(this);
}

// The recordings are this computer's, and the start's purge reads their age
// from this installation's own settings row: a workstation working on the
// shared file keeps the age there, apart from the shared settings.
bool SysOther::agesApart() const
{
    return Mymode::ConnectString != database::localConnectString();
}

namespace {

// Writes the columns into the settings row of the file `connection` opens.
void writeSettings(db::Connection& connection, const std::vector<std::pair<QString, db::Variant>>& columns)
{
    db::Recordset settings;
    settings.open(QStringLiteral("select * from DriveInfo"), connection, db::CursorType::Static, db::LockType::Optimistic);
    if (settings.eof()) throw db::Error(QStringLiteral("no settings row"));
    try {
        for (const auto& [column, value] : columns) settings.setField(column, value);
        settings.update();
    } catch (const db::Error&) {
        settings.cancelUpdate();
        throw;
    }
}

} // namespace

bool SysOther::store(std::optional<db::Error>& failure, QString& notSaved)
{
    std::vector<std::pair<QString, db::Variant>> shared{{QStringLiteral("OutLine"), db::trimBlanks(text1->text())},
                                                        {QStringLiteral("FlterChar"), db::trimBlanks(text2->text())},
                                                        {QStringLiteral("RecordFlag"), Check1->value()},
                                                        {QStringLiteral("isPop"), Check2->value()}};
    const std::pair<QString, db::Variant> age{QStringLiteral("DelRecDay"), db::trimBlanks(Text3->text())};
    if (!agesApart()) shared.push_back(age);
    notSaved = QString::fromUtf8(kNotSaved);
    if (!database::guarded([&] { writeSettings(*database::openMain(), shared); }, failure)) return false;
    if (!agesApart()) return true;
    notSaved = QString::fromUtf8(kAgeNotSaved);
    return database::guarded([&] { writeSettings(*database::openLocal(), {age}); }, failure);
}

void SysOther::command2_Click()
{
    ui::Windows::unload(this);
}

} // namespace callerid
