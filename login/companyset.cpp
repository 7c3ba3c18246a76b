#include "login/companyset.h"

#include "common/database.h"
#include "common/skin.h"
#include "common/rowmessages.h"
#include "platform/ui/desktop.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace login {

CompanySet::CompanySet()
    : ui::Form(QStringLiteral("CompanySet"))
{
    setCaption(QStringLiteral("单据套打设置"));
    setSizeTwips(6300, 5250);

    auto* frame = addFrame(QStringLiteral("Frame1"), QStringLiteral("单据格式信息"), 240, 1020, 5700, 2535);
    // One labelled box per row, top to bottom.
    int rows = 0;
    const auto row = [&](const QString& label, const QString& box) {
        const double top = 330 + 420 * rows++;
        addLabel(QStringLiteral("Label%1").arg(rows), label, 180, top + 30, 1200, 255, frame);
        return addTextBox(box, 1440, top, 4080, 315, frame);
    };
    kh_name_ = row(QStringLiteral("使用者名称："), QStringLiteral("kh_name"));
    KH_add_ = row(QStringLiteral("使用者地址："), QStringLiteral("KH_add"));
    kh_tel_ = row(QStringLiteral("使用者电话："), QStringLiteral("kh_tel"));
    des1_ = row(QStringLiteral("其它说明1："), QStringLiteral("des1"));
    des2_ = row(QStringLiteral("其它说明2："), QStringLiteral("des2"));

    auto* save = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/save.bmp")),
                                  3450, 3720, 1125, 375);
    auto* close = addPictureButton(QStringLiteral("command1"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   4815, 3720, 1125, 375);
    save->onClick = [this] { command2_Click(); };
    close->onClick = [this] { command1_Click(); };
}

// When the row cannot be read, the window says why and cannot save: its empty
// boxes would blank the stored details.
void CompanySet::Form_Load()
{
    const bool read = database::read([&] {
        auto rows = database::query(QStringLiteral("select * from DriveInfo"));
        if (rows->eof()) return;
        kh_name_->setText(rows->field(QStringLiteral("KH_name")).toText());
        KH_add_->setText(rows->field(QStringLiteral("KH_add")).toText());
        kh_tel_->setText(rows->field(QStringLiteral("KH_tel")).toText());
        des1_->setText(rows->field(QStringLiteral("des1")).toText());
        des2_->setText(rows->field(QStringLiteral("des2")).toText());
    });
    if (!read) control<ui::PictureButton>(QStringLiteral("command2"))->setEnabled(false);
}

void CompanySet::Form_Paint()
{
    skin::paint(this);
}

// Name, address and telephone are stored trimmed, the footnotes as typed.
// The window closes only once the row is stored; otherwise it keeps the boxes.
void CompanySet::command2_Click()
{
    bool stored = false;
    std::optional<db::Error> failure;
    database::guarded([&] {
        auto settings = database::query(QStringLiteral("select * from DriveInfo"), db::LockType::Optimistic,
                                        db::CursorType::Static);
        if (settings->eof()) return;
        settings->setField(QStringLiteral("KH_name"), db::trimBlanks(kh_name_->text()));
        settings->setField(QStringLiteral("KH_add"), db::trimBlanks(KH_add_->text()));
        settings->setField(QStringLiteral("KH_tel"), db::trimBlanks(kh_tel_->text()));
        settings->setField(QStringLiteral("des1"), des1_->text());
        settings->setField(QStringLiteral("des2"), des2_->text());
        settings->update();
        stored = true;
    }, failure);
    if (!stored) {
        rowmessages::showWriteFailed(QStringLiteral("设置保存失败，单据信息没有改变"), failure, caption());
        return;
    }
    ui::msgBox(QStringLiteral("设置已生效"));
    ui::Windows::unload(this);
}

void CompanySet::command1_Click()
{
    ui::Windows::unload(this);
}

} // namespace login
