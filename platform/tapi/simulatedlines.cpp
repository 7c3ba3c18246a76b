#include "platform/tapi/simulatedlines.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTimer>

namespace tapi {

namespace {

std::int32_t code(std::uint32_t lineError)
{
    return static_cast<std::int32_t>(lineError);
}

// Writes a string into the spare room after the fixed part and points the
// size and offset words at it; a string that does not fit is left out and
// only the needed size grows.
void putString(Structure& s, std::uint32_t& used, std::uint32_t& needed, std::uint32_t sizeWord,
               std::uint32_t offsetWord, const QByteArray& text)
{
    if (text.isEmpty()) return;
    QByteArray data = text;
    data.append('\0');
    needed += static_cast<std::uint32_t>(data.size());
    if (!s.writeBytes(used, data)) return;
    s.setDword(sizeWord, static_cast<std::uint32_t>(data.size()));
    s.setDword(offsetWord, used);
    used += static_cast<std::uint32_t>(data.size());
}

// Starts filling a structure: the fixed part must fit.
bool beginFill(Structure& s, std::uint32_t fixed, std::uint32_t& used, std::uint32_t& needed)
{
    if (s.totalSize() < fixed) return false;
    used = needed = fixed;
    return true;
}

void endFill(Structure& s, std::uint32_t used, std::uint32_t needed)
{
    s.setDword(layout::UsedSize, used);
    s.setDword(layout::NeededSize, needed);
}

} // namespace

SimulatedLines::~SimulatedLines()
{
    *alive_ = false;
}

int SimulatedLines::addLine(const Line& line)
{
    devices_.push_back(line);
    return static_cast<int>(devices_.size()) - 1;
}

// ---- the far side

Handle SimulatedLines::offerCall(Handle line, const QByteArray& callerId)
{
    const Handle call = newHandle();
    calls_[call] = {line, callerId};
    postForLine(line, call, message::CallState, callstate::Offering, 0, 0);
    postForLine(line, call, message::CallInfo, callinfostate::CallerID, 0, 0);
    return call;
}

void SimulatedLines::changeCallState(Handle call, std::uint32_t state)
{
    const auto found = calls_.find(call);
    if (found == calls_.end()) return;
    postForLine(found->second.line, call, message::CallState, state, 0, 0);
}

void SimulatedLines::completeRequest(std::int32_t requestId, std::int32_t result)
{
    const auto found = requests_.find(requestId);
    if (found == requests_.end()) return;
    const Request request = found->second;
    requests_.erase(found);
    if (request.callHandle && result == 0) {
        const Handle call = newHandle();
        calls_[call] = {request.line, QByteArray()};
        *request.callHandle = call;
    }
    postForLine(request.line, request.line, message::Reply, static_cast<std::uint32_t>(requestId),
                static_cast<std::uint32_t>(result), 0);
}

void SimulatedLines::closeByService(Handle line)
{
    postForLine(line, line, message::Close, 0, 0, 0);
    forgetLine(line);
}

void SimulatedLines::post(Handle lineApp, std::uint32_t device, std::uint32_t msg, std::uint32_t instance,
                          std::uint32_t param1, std::uint32_t param2, std::uint32_t param3)
{
    const auto app = apps_.find(lineApp);
    if (app == apps_.end()) return;
    const LineCallback callback = app->second;
    // A message already queued is delivered even when its line has closed
    // since: the receiver must cope with late messages.
    QTimer::singleShot(0, QCoreApplication::instance(), [alive = std::weak_ptr<bool>(alive_), callback, device, msg,
                                                         instance, param1, param2, param3] {
        if (alive.expired()) return;
        callback(device, msg, instance, param1, param2, param3);
    });
}

void SimulatedLines::postForLine(Handle line, std::uint32_t device, std::uint32_t msg, std::uint32_t param1,
                                 std::uint32_t param2, std::uint32_t param3)
{
    const auto found = lines_.find(line);
    if (found == lines_.end()) return;
    post(found->second.app, device, msg, found->second.instance, param1, param2, param3);
}

void SimulatedLines::forgetLine(Handle line)
{
    lines_.erase(line);
    std::erase_if(calls_, [line](const auto& call) { return call.second.line == line; });
    std::erase_if(requests_, [line](const auto& request) { return request.second.line == line; });
}

// ---- the service

std::int32_t SimulatedLines::lineInitializeExA(Handle* lineApp, LineCallback callback, const QByteArray&,
                                               std::uint32_t* numDevs, std::uint32_t* apiVersion,
                                               const InitializeParams& params)
{
    calls << QStringLiteral("lineInitializeExA");
    if (initializeResult != 0) return initializeResult;
    if (!lineApp || !numDevs || !apiVersion || !callback) return code(error::InvalidPointer);
    if (params.totalSize < 24 || params.options != 1) return code(error::InvalidParam);
    *lineApp = newHandle();
    apps_[*lineApp] = callback;
    *numDevs = static_cast<std::uint32_t>(devices_.size());
    *apiVersion = serviceVersion;
    return 0;
}

std::int32_t SimulatedLines::lineNegotiateAPIVersion(Handle lineApp, std::uint32_t deviceID, std::uint32_t low,
                                                     std::uint32_t high, std::uint32_t* apiVersion,
                                                     ExtensionId* extensionID)
{
    calls << QStringLiteral("lineNegotiateAPIVersion");
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    const Line& line = devices_[deviceID];
    const std::uint32_t best = std::min(high, line.highVersion);
    if (line.negotiationFails || best < low || best < line.lowVersion) return code(error::IncompatibleApiVersion);
    *apiVersion = best;
    *extensionID = line.extensionID;
    return 0;
}

std::int32_t SimulatedLines::lineGetDevCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                            std::uint32_t, Structure& caps)
{
    calls << QStringLiteral("lineGetDevCaps");
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    if (apiVersion == 0) return code(error::IncompatibleApiVersion);
    std::uint32_t used = 0, needed = 0;
    if (!beginFill(caps, layout::devcaps::Fixed, used, needed)) return code(error::StructureTooSmall);
    const Line& line = devices_[deviceID];
    namespace dc = layout::devcaps;
    putString(caps, used, needed, dc::ProviderInfoSize, dc::ProviderInfoOffset, line.providerInfo);
    putString(caps, used, needed, dc::SwitchInfoSize, dc::SwitchInfoOffset, line.switchInfo);
    putString(caps, used, needed, dc::LineNameSize, dc::LineNameOffset, line.name);
    caps.setDword(dc::PermanentLineID, line.permanentLineID);
    caps.setDword(dc::StringFormat, line.stringFormat);
    caps.setDword(dc::NumAddresses, line.numAddresses);
    caps.setDword(dc::MaxRate, line.maxDataRate);
    caps.setDword(dc::BearerModes, line.bearerModes);
    caps.setDword(dc::AddressModes, line.addressModes);
    caps.setDword(dc::MediaModes, line.mediaModes);
    caps.setDword(dc::GenerateToneMaxNumFreq, line.generateToneMaxNumFreq);
    caps.setDword(dc::GenerateToneModes, line.generateToneModes);
    caps.setDword(dc::NumTerminals, line.numTerminals);
    endFill(caps, used, needed);
    return 0;
}

std::int32_t SimulatedLines::lineGetAddressCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t addressID,
                                                std::uint32_t apiVersion, std::uint32_t, Structure& caps)
{
    calls << QStringLiteral("lineGetAddressCaps");
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    if (apiVersion == 0) return code(error::IncompatibleApiVersion);
    if (addressID >= devices_[deviceID].numAddresses) return code(error::InvalidParam);
    std::uint32_t used = 0, needed = 0;
    if (!beginFill(caps, layout::addresscaps::Fixed, used, needed)) return code(error::StructureTooSmall);
    caps.setDword(layout::addresscaps::LineDeviceID, deviceID);
    endFill(caps, used, needed);
    return 0;
}

std::int32_t SimulatedLines::lineOpen(Handle lineApp, std::uint32_t deviceID, Handle* line, std::uint32_t apiVersion,
                                      std::uint32_t, std::uint32_t callbackInstance, std::uint32_t, std::uint32_t)
{
    calls << QStringLiteral("lineOpen");
    if (openResult != 0) return openResult;
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    if (apiVersion == 0) return code(error::IncompatibleApiVersion);
    *line = newHandle();
    lines_[*line] = {lineApp, deviceID, callbackInstance};
    return 0;
}

std::int32_t SimulatedLines::lineMakeCall(Handle line, Handle* call, const std::optional<QByteArray>& destAddress,
                                          std::uint32_t)
{
    calls << QStringLiteral("lineMakeCall");
    if (!isOpen(line)) return code(error::InvalidLineHandle);
    if (!call) return code(error::InvalidPointer);
    lastDialled = destAddress;
    const std::int32_t id = nextRequest_++;
    requests_[id] = {line, call};
    return id;
}

std::int32_t SimulatedLines::lineDrop(Handle call, const QByteArray&, std::uint32_t)
{
    calls << QStringLiteral("lineDrop");
    const auto found = calls_.find(call);
    if (found == calls_.end()) return code(error::InvalidCallHandle);
    const std::int32_t id = nextRequest_++;
    requests_[id] = {found->second.line, nullptr};
    return id;
}

std::int32_t SimulatedLines::lineDeallocateCall(Handle call)
{
    calls << QStringLiteral("lineDeallocateCall");
    return calls_.erase(call) ? 0 : code(error::InvalidCallHandle);
}

std::int32_t SimulatedLines::lineClose(Handle line)
{
    calls << QStringLiteral("lineClose");
    if (closeResult != 0) return closeResult;
    if (!isOpen(line)) return code(error::InvalidLineHandle);
    forgetLine(line);
    return 0;
}

std::int32_t SimulatedLines::lineShutdown(Handle lineApp)
{
    calls << QStringLiteral("lineShutdown");
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    std::vector<Handle> open;
    for (const auto& [handle, line] : lines_)
        if (line.app == lineApp) open.push_back(handle);
    for (Handle handle : open) forgetLine(handle);
    apps_.erase(lineApp);
    return 0;
}

std::int32_t SimulatedLines::lineGetID(Handle line, std::uint32_t, Handle, std::uint32_t, Structure& deviceID,
                                       const QByteArray&)
{
    calls << QStringLiteral("lineGetID");
    const auto found = lines_.find(line);
    if (found == lines_.end()) return code(error::InvalidLineHandle);
    std::uint32_t used = 0, needed = 0;
    if (!beginFill(deviceID, layout::varstring::Fixed, used, needed)) return code(error::StructureTooSmall);
    putString(deviceID, used, needed, layout::varstring::StringSize, layout::varstring::StringOffset,
              devices_[found->second.device].deviceId);
    endFill(deviceID, used, needed);
    return 0;
}

std::int32_t SimulatedLines::lineGetCallInfo(Handle call, Structure& callInfo)
{
    calls << QStringLiteral("lineGetCallInfo");
    const auto found = calls_.find(call);
    if (found == calls_.end()) return code(error::InvalidCallHandle);
    std::uint32_t used = 0, needed = 0;
    if (!beginFill(callInfo, layout::callinfo::Fixed, used, needed)) return code(error::StructureTooSmall);
    namespace ci = layout::callinfo;
    if (!found->second.callerId.isEmpty()) callInfo.setDword(ci::CallerIDFlags, 0x20);   // address present
    putString(callInfo, used, needed, ci::CallerIDSize, ci::CallerIDOffset, found->second.callerId);
    endFill(callInfo, used, needed);
    return 0;
}

std::int32_t SimulatedLines::lineConfigDialog(std::uint32_t deviceID, QWidget*, const std::optional<QByteArray>&)
{
    calls << QStringLiteral("lineConfigDialog");
    return knownDevice(deviceID) ? 0 : code(error::BadDeviceID);
}

std::int32_t SimulatedLines::lineTranslateDialogA(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                                  QWidget*, const std::optional<QByteArray>&)
{
    calls << QStringLiteral("lineTranslateDialogA");
    if (!isInitialized(lineApp)) return code(error::InvalidAppHandle);
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    return apiVersion == 0 ? code(error::IncompatibleApiVersion) : 0;
}

std::int32_t SimulatedLines::lineGetIconA(std::uint32_t deviceID, const std::optional<QByteArray>&, Handle* icon)
{
    calls << QStringLiteral("lineGetIconA");
    if (!knownDevice(deviceID)) return code(error::BadDeviceID);
    if (devices_[deviceID].icon.isNull()) return code(error::OperationUnavail);
    *icon = newHandle();
    icons_[*icon] = devices_[deviceID].icon;
    return 0;
}

bool SimulatedLines::DrawIconEx(QPaintDevice* device, int left, int top, Handle icon, int width, int height,
                                std::uint32_t)
{
    calls << QStringLiteral("DrawIconEx");
    const auto found = icons_.find(icon);
    if (found == icons_.end() || !device) return false;
    QPainter painter(device);
    painter.drawImage(QRect(left, top, width, height), found->second);
    return true;
}

bool SimulatedLines::DestroyIcon(Handle icon)
{
    calls << QStringLiteral("DestroyIcon");
    return icons_.erase(icon) != 0;
}

Service& systemService()
{
    static SimulatedLines noTelephony;
    return noTelephony;
}

} // namespace tapi
