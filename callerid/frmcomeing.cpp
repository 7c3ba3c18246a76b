#include "callerid/frmcomeing.h"

#include "callerid/numbermatch.h"
#include "common/callmonitor.h"
#include "common/customercard.h"
#include "common/database.h"
#include "common/mymode.h"
#include "common/recordingfile.h"
#include "common/savefailure.h"
#include "common/skin.h"
#include "platform/db/locale.h"
#include "platform/media/player.h"
#include "platform/ui/looks.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace callerid {

namespace {

const char* const kNoRecord = "找不到记录，可能已经被删除";
const char* const kRecordGone = "记录不存在，可能已被删除";
const char* const kNoteSaved = "来电内容已加入";
const char* const kNoteNotSaved = "来电内容保存失败";
const char* const kDeleted = "记录已成功删除";
const char* const kFileKept = "录音文件无法删除,记录没有删除";
const char* const kRowKept = "记录无法删除";
const char* const kNoCustomer = "找不到客户，电话还没加放";
const char* const kRecordingLabel = "录音文件:";
const char* const kCallLogRight = "b_work=1;";

const QStringList kCustomerNumbers = {QStringLiteral("company_tel"), QStringLiteral("company_fax"),
                                      QStringLiteral("company_mobil")};

CallMonitor* monitor()
{
    return ui::Windows::loaded<CallMonitor>(QStringLiteral("GtMain"));
}

QString callQuery(std::int32_t id)
{
    return QStringLiteral("select * from Hv_Cidlist where id = ") + QString::number(id);
}

} // namespace

FrmComeing::FrmComeing() : ui::Form(QStringLiteral("frmComeing"))
{
    setCaption(QStringLiteral("来电内容"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setSizeTwips(4605 + 120, 4755 + 480);
    setFixedSize(size());

    addLabel(QStringLiteral("Label1"), QStringLiteral("来电号码："), 240, 360, 960, 255);
    ui::TextBox* ldhm = addTextBox(QStringLiteral("ldhm"), 1200, 315, 2415, 330);
    ldhm->setFrame(false);
    ldhm->setBackColor(skin::kBackColor);
    addCommandButton(QStringLiteral("command1"), QStringLiteral("→"), 3840, 360, 495, 255)->onClick =
        [this] { command1_Click(); };
    addLabel(QStringLiteral("Label2"), QStringLiteral("来电时间："), 240, 840, 1080, 255);
    ui::setForeColor(addLabel(QStringLiteral("Label4"), QString(), 1320, 840, 3135, 255), 0x0000FF);
    addLabel(QStringLiteral("Label52"), QStringLiteral("来电内容："), 240, 1200, 1080, 255);
    addTextArea(QStringLiteral("text1"), 240, 1440, 3975, 735);
    WindowsMediaPlayer1 = media::addPlayer(this, QStringLiteral("WindowsMediaPlayer1"), 480, 2280, 3735, 675);
    ui::setForeColor(addLabel(QStringLiteral("Label5"), QString(), 120, 3120, 4335, 255), 0xFF0000);

    addPictureButton(QStringLiteral("Image1"), QStringLiteral("bmp/save.bmp"), 1320, 3840, 735, 330)->onClick =
        [this] { Image1_Click(); };
    addPictureButton(QStringLiteral("Image2"), QStringLiteral("bmp/delete.bmp"), 2160, 3840, 735, 330)->onClick =
        [this] { Image2_Click(); };
    addPictureButton(QStringLiteral("Image3"), QStringLiteral("bmp/close.bmp"), 3000, 3840, 735, 330)->onClick =
        [this] { Image3_Click(); };
    // The holders of the skin's banners.
    addPictureButton(QStringLiteral("Image5"), QString(), 0, 0, 0, 0);
    addPictureButton(QStringLiteral("Image4"), QString(), 0, 3000, 0, 0);
}

// The call the day list's double-click left pending, by its id, or else the
// call CurrentRecordId names. The pending call is taken only when its row is found.
void FrmComeing::Form_Load()
{
    CallMonitor* callMonitor = monitor();
    const std::int32_t pending = callMonitor ? callMonitor->OpenitemId() : 0;
    const std::int32_t wanted = pending != 0 ? pending : Mymode::CurrentRecordId;
    bool found = false;
    // A call that cannot be read now is said so (and the window stays empty),
    // not that it was deleted.
    const bool read = database::read([&] {
        auto call = database::query(callQuery(wanted));
        if (call->eof()) return;
        found = true;
        showCall(*call);
    });
    if (!read) return;
    if (!found) {
        ui::msgBox(QString::fromUtf8(kNoRecord));
        return;
    }
    if (pending != 0 && callMonitor) callMonitor->clearOpenitem();
    control<ui::PictureButton>(QStringLiteral("Image2"))->setVisible(Mymode::hasRight(QString::fromLatin1(kCallLogRight)));
}

void FrmComeing::showCall(db::Recordset& call)
{
    id_ = static_cast<std::int32_t>(call.field(QStringLiteral("id")).toLong());
    Mymode::CurrentRecordId = id_;
    control<ui::TextBox>(QStringLiteral("ldhm"))->setText(call.field(QStringLiteral("CallerID")).toText());
    control<ui::Label>(QStringLiteral("Label4"))
        ->setCaption(call.field(QStringLiteral("DateTime")).toText());
    control<ui::TextArea>(QStringLiteral("text1"))->setText(call.field(QStringLiteral("Contant")).toText());

    const QString recording = call.field(QStringLiteral("WavFile")).toText();
    ui::Label* label5 = control<ui::Label>(QStringLiteral("Label5"));
    if (recording.isEmpty()) {
        WindowsMediaPlayer1->setEnabled(false);
        label5->setCaption(QString());
        return;
    }
    // A stored name that is not a bare file name is shown but names no file to play.
    const QString path = recordingfile::pathOf(recording);
    WindowsMediaPlayer1->setEnabled(!path.isEmpty());
    if (Mymode::hasRight(QString::fromLatin1(kCallLogRight)))
        label5->setCaption(QString::fromUtf8(kRecordingLabel) + recording);
    if (!path.isEmpty()) WindowsMediaPlayer1->setURL(path);
}

// Saves the note as typed. A note the column cannot hold, or a row changed
// elsewhere, is not stored: the window stays with its text.
void FrmComeing::Image1_Click()
{
    bool missing = false;
    std::optional<db::Error> failure;
    const bool saved = database::guarded([&] {
        auto connection = database::openMain();
        db::Recordset call;
        call.open(callQuery(id_), *connection, db::CursorType::Static, db::LockType::Optimistic);
        if (call.eof()) {
            missing = true;
            return;
        }
        try {
            call.setField(QStringLiteral("Contant"), control<ui::TextArea>(QStringLiteral("text1"))->text());
            call.update();
        } catch (const db::Error&) {
            database::guarded([&call] { call.cancelUpdate(); });
            throw;
        }
    }, failure);
    if (missing) {
        ui::msgBox(QString::fromUtf8(kNoRecord));
        ui::Windows::unload(this);
        return;
    }
    if (!saved) {
        ui::msgBox(savefailure::text(QString::fromUtf8(kNoteNotSaved), *failure));
        return;
    }
    ui::msgBox(QString::fromUtf8(kNoteSaved));
    ui::Windows::unload(this);
}

// Deletes the call with its recording, at once. The row is deleted inside a
// transaction that is committed only once the file is gone, so the file and
// the row go together: a file already missing does not hold the delete up, a
// file that cannot be removed keeps the row, a row that cannot be deleted
// keeps the file.
void FrmComeing::Image2_Click()
{
    enum class Outcome { Deleted, Missing, FileKept, RowKept } outcome = Outcome::RowKept;
    std::optional<db::Error> failure;
    database::guarded([&] {
        auto connection = database::openMain();
        db::Recordset call;
        call.open(callQuery(id_), *connection, db::CursorType::Static, db::LockType::Optimistic);
        if (call.eof()) {
            outcome = Outcome::Missing;
            return;
        }
        const QString recording = call.field(QStringLiteral("WavFile")).toText();
        connection->beginTrans();
        try {
            call.deleteRow();
            if (!recording.isEmpty()) {
                WindowsMediaPlayer1->close();
                if (recordingfile::remove(recordingfile::pathOf(recording)) == recordingfile::Removal::Refused) {
                    connection->rollbackTrans();
                    outcome = Outcome::FileKept;
                    return;
                }
            }
            connection->commitTrans();
            outcome = Outcome::Deleted;
        } catch (const db::Error&) {
            database::guarded([&connection] { connection->rollbackTrans(); });
            throw;
        }
    }, failure);
    switch (outcome) {
    case Outcome::Missing:
        ui::msgBox(QString::fromUtf8(kRecordGone));
        ui::Windows::unload(this);
        break;
    case Outcome::FileKept:
        ui::msgBox(QString::fromUtf8(kFileKept));
        break;
    case Outcome::RowKept:
        ui::msgBox(savefailure::deleteText(QString::fromUtf8(kRowKept), *failure));
        break;
    case Outcome::Deleted:
        ui::msgBox(QString::fromUtf8(kDeleted));
        ui::Windows::unload(this);
        break;
    }
}

// Opens the card of the customer whose telephone, fax or mobile number holds
// the shown number; several are taken in the call handling's order.
void FrmComeing::command1_Click()
{
    const QString number = db::trimBlanks(control<ui::TextBox>(QStringLiteral("ldhm"))->text());
    std::int32_t customer = 0;
    if (!number.isEmpty()) {
        // A lookup that cannot be made now says why, not that no customer has the number.
        const bool read = database::read([&] {
            const auto best =
                numbermatch::bestId(*database::openMain(), QStringLiteral("company"), kCustomerNumbers, number);
            if (best) customer = static_cast<std::int32_t>(*best);
        });
        if (!read) return;
    }
    if (customer == 0) {
        ui::msgBox(QString::fromUtf8(kNoCustomer));
        return;
    }
    customercard::open(customer);
}

void FrmComeing::Image3_Click()
{
    ui::Windows::unload(this);
}

void FrmComeing::Form_Unload()
{
    WindowsMediaPlayer1->close();
}

void FrmComeing::Form_Paint()
{
    skin::paint(this);
}

} // namespace callerid
