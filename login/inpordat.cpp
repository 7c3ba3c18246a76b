#include "login/inpordat.h"

#include "common/skin.h"
#include "login/importsource.h"
#include "platform/db/variant.h"
#include "platform/ui/desktop.h"
#include "platform/ui/filedialog.h"
#include "platform/ui/msgbox.h"
#include "platform/ui/windows.h"

namespace login {

Inpordat::Inpordat()
    : ui::Form(QStringLiteral("inpordat"))
{
    setCaption(QStringLiteral("选择数据库"));
    setSizeTwips(6000, 3600);

    text1_ = addTextBox(QStringLiteral("text1"), 360, 1080, 4200, 315);
    auto* browse = addCommandButton(QStringLiteral("Command1"), QStringLiteral("浏览"), 4680, 1065, 855, 345);
    addLabel(QStringLiteral("Label1"), QStringLiteral("注：请先把Excel文件转成Access数据库文件再导入"), 360, 1560, 5280, 255);
    auto* next = addPictureButton(QStringLiteral("command2"), ui::programPath(QStringLiteral("bmp/next.bmp")),
                                  3000, 2040, 1125, 375);
    auto* close = addPictureButton(QStringLiteral("command3"), ui::programPath(QStringLiteral("bmp/close.bmp")),
                                   4410, 2040, 1125, 375);
    browse->onClick = [this] { command1_Click(); };
    next->onClick = [this] { command2_Click(); };
    close->onClick = [this] { command3_Click(); };
}

QString Inpordat::sourcePath() const
{
    return db::trimBlanks(text1_->text());
}

void Inpordat::Form_Paint()
{
    skin::paint(this);
}

// Access files are offered first; a cancelled dialog leaves the path as it was.
void Inpordat::command1_Click()
{
    const QString chosen = ui::chooseOpenFile({QStringLiteral("All Files(*.*)|*.*|Access Files(*.mdb)|*.mdb"), 1});
    if (!chosen.isEmpty()) text1_->setText(chosen);
}

// Only a path ending in ".mdb", in lower case, is taken; the mapping window reads the file.
void Inpordat::command2_Click()
{
    if (!sourcePath().endsWith(QLatin1String(".mdb"))) {
        ui::msgBox(kNotAccessMessage);
        return;
    }
    hide();
    ui::Windows::open(QStringLiteral("inpordatnex"));
}

void Inpordat::command3_Click()
{
    ui::Windows::unload(this);
}

} // namespace login
