#include "sms/gatewaywindow.h"

#include "common/database.h"
#include "common/skin.h"
#include "platform/smsgateway/gateway.h"
#include "platform/ui/desktop.h"
#include "platform/ui/windows.h"

namespace sms {

QString gatewayServiceAddress()
{
    return QStringLiteral("http://sms-gateway.halvex.invalid:8080/NOSmsPlatform/services/BusinessService");
}

GatewayWindow::GatewayWindow(const QString& kind, const QString& caption) : ui::Form(kind)
{
    setCaption(caption);
    TextURL = addTextBox(QStringLiteral("TextURL"), 0, 0, 0, 0);
    TextURL->setText(gatewayServiceAddress());
    TextURL->setVisible(false);
}

void GatewayWindow::Form_Paint()
{
    skin::paint(this);
}

void GatewayWindow::addCloseButton(const QString& name, double left, double top)
{
    auto* close = addPictureButton(name, ui::programPath(QStringLiteral("bmp/close.bmp")), left, top, 1125, 375);
    close->onClick = [this] { ui::Windows::unload(this); };
}

std::optional<int> GatewayWindow::callGateway(const std::function<int(smsgateway::Library&)>& call) const
{
    try {
        smsgateway::Library& gateway = smsgateway::library();
        gateway.setWebService(TextURL->text());
        return call(gateway);
    } catch (const smsgateway::CallFailed&) {
        return std::nullopt;
    }
}

bool GatewayWindow::readAccount(std::optional<Account>& account)
{
    return database::read([&] {
        auto connection = database::openLocalSms();
        db::Recordset row;
        row.open(QStringLiteral("select * from SMSSET"), *connection, db::CursorType::Keyset);
        if (row.eof()) return;
        account = Account{row.field(QStringLiteral("RegNO")).toText(), row.field(QStringLiteral("RegPass")).toText()};
    });
}

} // namespace sms
