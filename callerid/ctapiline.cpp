#include "callerid/ctapiline.h"

#include "callerid/automationerror.h"
#include "callerid/lineerrortext.h"
#include "platform/ui/desktop.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace callerid {

namespace {

namespace dc = tapi::layout::devcaps;

// Texts cross to the service in the ANSI code page of a Simplified Chinese
// system, GBK.
QByteArray ansi(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

std::optional<QByteArray> ansiOrNone(const QString& text)
{
    if (text.isEmpty()) return std::nullopt;
    return ansi(text);
}

QString fromAnsi(const QByteArray& bytes)
{
    QStringDecoder decoder("GBK");
    return decoder.decode(bytes);
}

// Raises an event. The handler is copied first: it may destroy the object
// that holds it.
template <class Handler, class... Args>
void raise(const Handler& handler, Args... args)
{
    if (!handler) return;
    Handler copy = handler;
    copy(args...);
}

} // namespace

cTAPILine::cTAPILine(tapi::Service& service)
    : service_(service),
      instance_(dSrormat::registerLine(this)),
      devCaps_(dc::Fixed, kSpare),
      addressCaps_(tapi::layout::addresscaps::Fixed, kSpare)
{
}

cTAPILine::~cTAPILine()
{
    // Unregistered first: nothing the service still delivers reaches this object.
    dSrormat::unregisterLine(instance_);
    if (hCall_ != 0) service_.lineDeallocateCall(hCall_);
    hCall_ = 0;
    if (hLine_ != 0) CloseLine();
    if (hLineApp_ != 0) service_.lineShutdown(hLineApp_);
    hLineApp_ = 0;
}

QString cTAPILine::GetID(std::uint32_t dwSelect, const QString& szClass)
{
    if (hLine_ == 0) return QString();
    namespace vs = tapi::layout::varstring;
    tapi::Structure deviceId(vs::Fixed, kSpare);
    deviceId.setDword(vs::StringFormat, 1);
    service_.lineGetID(hLine_, 0, hCall_, dwSelect, deviceId, ansi(szClass));
    return StringFromStruct(deviceId, deviceId.dword(vs::StringOffset), deviceId.dword(vs::StringSize));
}

std::uint32_t cTAPILine::LastError()
{
    const std::uint32_t error = lastError_;
    lastError_ = 0;
    return error;
}

QString cTAPILine::ErrorString(std::uint32_t errCode) const
{
    return dSrormat::LineErrorText(errCode);
}

bool cTAPILine::Create()
{
    tapi::InitializeParams params;
    params.totalSize = 24;
    params.options = 1;
    std::uint32_t lines = 0;
    std::uint32_t version = hiAPI_;
    const std::int32_t result = service_.lineInitializeExA(&hLineApp_, &dSrormat::LineCallback,
                                                           ansi(ui::programTitle()), &lines, &version, params);
    if (result != 0) {
        keepError(result);
        return false;
    }
    hiAPI_ = version;
    numLines_ = lines;
    if (numLines_ == 0) return false;

    versions_.assign(numLines_, 0);
    extensionIds_.assign(numLines_, tapi::ExtensionId());
    for (std::uint32_t line = 0; line < numLines_; ++line) {
        std::uint32_t negotiated = 0;
        tapi::ExtensionId extension;
        if (service_.lineNegotiateAPIVersion(hLineApp_, line, lowAPI_, hiAPI_, &negotiated, &extension) != 0) {
            versions_[line] = 0;
            continue;
        }
        versions_[line] = negotiated;
        extensionIds_[line] = extension;
        highestVersion_ = std::max(highestVersion_, negotiated);
    }
    GetDevCaps();
    GetAddressCaps();
    return true;
}

void cTAPILine::setCurrentLineID(std::int32_t id)
{
    if (id < 0 || static_cast<std::uint32_t>(id) >= numLines_)
        throw AutomationError(380, QStringLiteral("cTAPILine"), QStringLiteral("Invalid property value"));
    currentLine_ = id;
    GetDevCaps();
    GetAddressCaps();
}

std::uint32_t cTAPILine::lineVersion() const
{
    const auto line = static_cast<std::size_t>(currentLine_);
    return line < versions_.size() ? versions_[line] : 0;
}

std::uint32_t cTAPILine::extensionWord(int word) const
{
    const auto line = static_cast<std::size_t>(currentLine_);
    return line < extensionIds_.size() ? extensionIds_[line].id[word] : 0;
}

void cTAPILine::GetDevCaps()
{
    devCaps_.setTotalSize(kDevCapsSize);
    const std::int32_t result = service_.lineGetDevCaps(hLineApp_, static_cast<std::uint32_t>(currentLine_),
                                                        lineVersion(), 0, devCaps_);
    if (result != 0) {
        keepError(result);
        return;
    }
    lineName_ = StringFromStruct(devCaps_, devCaps_.dword(dc::LineNameOffset), devCaps_.dword(dc::LineNameSize));
    providerInfo_ = StringFromStruct(devCaps_, devCaps_.dword(dc::ProviderInfoOffset),
                                     devCaps_.dword(dc::ProviderInfoSize));
    switchInfo_ = StringFromStruct(devCaps_, devCaps_.dword(dc::SwitchInfoOffset), devCaps_.dword(dc::SwitchInfoSize));
    permanentLineID_ = devCaps_.dword(dc::PermanentLineID);
    stringFormat_ = devCaps_.dword(dc::StringFormat);
    numAddresses_ = devCaps_.dword(dc::NumAddresses);
    maxDataRate_ = devCaps_.dword(dc::MaxRate);
    bearerModes_ = devCaps_.dword(dc::BearerModes);
    addressModes_ = devCaps_.dword(dc::AddressModes);
    mediaModes_ = devCaps_.dword(dc::MediaModes);
    generateToneMaxNumFreq_ = devCaps_.dword(dc::GenerateToneMaxNumFreq);
    generateToneModes_ = devCaps_.dword(dc::GenerateToneModes);
    numTerminals_ = devCaps_.dword(dc::NumTerminals);
}

void cTAPILine::GetAddressCaps()
{
    addressCaps_.setTotalSize(kAddressCapsSize);
    const std::int32_t result = service_.lineGetAddressCaps(hLineApp_, static_cast<std::uint32_t>(currentLine_), 0,
                                                            lineVersion(), 0, addressCaps_);
    if (result != 0) keepError(result);
}

QString cTAPILine::StringFromStruct(const tapi::Structure& structure, std::uint32_t offset, std::uint32_t size)
{
    if (size == 0 || offset == 0) return QString();
    QString text = fromAnsi(structure.bytes(offset, size));
    if (text.indexOf(QChar(0)) == 1) text = text.mid(8);
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.left(nul);
}

bool cTAPILine::OpenLine(std::uint32_t privileges, std::uint32_t mediamodes)
{
    if (hLine_ != 0) return false;
    const std::int32_t result = service_.lineOpen(hLineApp_, static_cast<std::uint32_t>(currentLine_), &hLine_,
                                                  lineVersion(), 0, instance_, privileges, mediamodes);
    if (result != 0) {
        hLine_ = 0;
        keepError(result);
        return false;
    }
    return true;
}

bool cTAPILine::MakeCallAsynch(const QString& phonenumber)
{
    if (hLine_ == 0) return false;
    const std::int32_t result = service_.lineMakeCall(hLine_, &hCall_, ansiOrNone(phonenumber), 0);
    if (result < 1) {
        keepError(result);
        return false;
    }
    pendingMakeCall_ = result;
    return true;
}

bool cTAPILine::DropCallAsynch()
{
    if (hCall_ == 0) return false;
    const std::int32_t result = service_.lineDrop(hCall_, QByteArray(), 0);
    if (result < 1) {
        keepError(result);
        return false;
    }
    pendingDrop_ = result;
    hCall_ = 0;
    return true;
}

bool cTAPILine::CloseLine()
{
    if (hLine_ == 0) return false;
    const std::int32_t result = service_.lineClose(hLine_);
    if (result != 0) {
        keepError(result);
        return false;
    }
    hLine_ = 0;
    hCall_ = 0;
    return true;
}

bool cTAPILine::ConfigDialog(QWidget* OwnerHwnd, const QString& DeviceClass)
{
    const std::int32_t result =
        service_.lineConfigDialog(static_cast<std::uint32_t>(currentLine_), OwnerHwnd, ansiOrNone(DeviceClass));
    if (result != 0) {
        keepError(result);
        return false;
    }
    return true;
}

bool cTAPILine::DialingPropertiesDialog(QWidget* OwnerHwnd, const QString& phonenumber)
{
    const std::int32_t result = service_.lineTranslateDialogA(hLineApp_, static_cast<std::uint32_t>(currentLine_),
                                                              highestVersion_, OwnerHwnd, ansiOrNone(phonenumber));
    if (result != 0) {
        keepError(result);
        return false;
    }
    return true;
}

bool cTAPILine::PaintDevIcon(QPaintDevice* hdc, int left, int top, int Width, int Height)
{
    tapi::Handle icon = 0;
    const std::int32_t result = service_.lineGetIconA(static_cast<std::uint32_t>(currentLine_), std::nullopt, &icon);
    if (result != 0) {
        keepError(result);
        return false;
    }
    service_.DrawIconEx(hdc, left, top, icon, Width, Height, 3);
    if (icon == 0) return false;
    service_.DestroyIcon(icon);
    return true;
}

// ---- line messages

void cTAPILine::OnLineMessage(std::uint32_t device, std::uint32_t message, std::uint32_t param1,
                              std::uint32_t param2, std::uint32_t)
{
    switch (message) {
    case tapi::message::CallInfo:
        OnCallInfo(param1);
        break;
    case tapi::message::CallState:
        OnCallState(device, param1);
        break;
    case tapi::message::Close:
        hLine_ = 0;
        hCall_ = 0;
        raise(onLineClose);
        break;
    case tapi::message::Reply: {
        const auto request = static_cast<std::int32_t>(param1);
        const auto result = static_cast<std::int32_t>(param2);
        if (request == 0) break;
        if (request == pendingMakeCall_) {
            pendingMakeCall_ = 0;
            if (result != 0) CloseLine();
            raise(onMakeCallResult, result);
        } else if (request == pendingDrop_) {
            pendingDrop_ = 0;
            raise(onDropCallResult, result);
        }
        break;
    }
    default:
        break;
    }
}

void cTAPILine::OnCallInfo(std::uint32_t infoState)
{
    if ((infoState & tapi::callinfostate::CallerID) == 0) return;
    namespace ci = tapi::layout::callinfo;
    tapi::Structure info(ci::Fixed, kSpare);
    service_.lineGetCallInfo(hCall_, info);
    raise(onInfoCallerID, StringFromStruct(info, info.dword(ci::CallerIDOffset), info.dword(ci::CallerIDSize)));
}

void cTAPILine::OnCallState(tapi::Handle call, std::uint32_t state)
{
    switch (state) {
    case tapi::callstate::Idle:
        if (hCall_ != 0) {
            service_.lineDeallocateCall(hCall_);
            hCall_ = 0;
        }
        raise(onIdle);
        break;
    case tapi::callstate::Offering:
        hCall_ = call;
        break;
    case tapi::callstate::Connected:
        raise(onConnected);
        break;
    case tapi::callstate::Disconnected:
        DropCallAsynch();
        raise(onDisconnected);
        break;
    default:
        break;
    }
}

} // namespace callerid
