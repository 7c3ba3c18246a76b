#pragma once
// The telephony service the line class talks to: the line functions of the
// platform's telephony interface, in its terms (application, line and call
// handles, negotiated versions, variable-size structures, asynchronous
// requests answered by a reply message), plus the two icon functions the
// line class draws with. Texts cross the interface as ANSI bytes; an absent
// text is std::nullopt. Results are 0 for success or a line error code
// (0x8000xxxx); the asynchronous functions return a positive request id.
#include "platform/tapi/structure.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

class QPaintDevice;
class QWidget;

namespace tapi {

using Handle = std::uint32_t;   // application, line, call and icon handles; 0 = none

// The callback the service calls with a line message: the line or call the
// message is about, the message number, the callback instance the line was
// opened with, and three parameters. Messages are delivered on the thread
// that initialised the service, only while it processes its events.
using LineCallback = void (*)(std::uint32_t device, std::uint32_t message, std::uint32_t instance,
                              std::uint32_t param1, std::uint32_t param2, std::uint32_t param3);

struct InitializeParams {
    std::uint32_t totalSize = 24;
    std::uint32_t options = 1;   // 1: notifications through a hidden window
};

struct ExtensionId {
    std::uint32_t id[4] = {0, 0, 0, 0};
};

namespace message {
inline constexpr std::uint32_t CallInfo = 1, CallState = 2, Close = 3, Reply = 12;
}
namespace callstate {
inline constexpr std::uint32_t Idle = 0x1, Offering = 0x2, Dialtone = 0x8, Dialing = 0x10, Ringback = 0x20,
                               Busy = 0x40, SpecialInfo = 0x80, Connected = 0x100, Proceeding = 0x200,
                               Disconnected = 0x4000;
}
namespace callinfostate {
inline constexpr std::uint32_t CallerID = 0x8000;
}
namespace error {
inline constexpr std::uint32_t BadDeviceID = 0x80000002, CallUnavail = 0x80000005,
                               IncompatibleApiVersion = 0x8000000C, InvalidAppHandle = 0x80000014,
                               InvalidCallHandle = 0x80000018, InvalidLineHandle = 0x8000002B,
                               InvalidParam = 0x80000032, InvalidPointer = 0x80000035, NoDevice = 0x80000042,
                               OperationFailed = 0x80000048, OperationUnavail = 0x80000049,
                               StructureTooSmall = 0x8000004D;
}

class Service {
public:
    virtual ~Service() = default;

    // apiVersion is in/out: the highest version the caller asks for, then the
    // highest the service supports.
    virtual std::int32_t lineInitializeExA(Handle* lineApp, LineCallback callback, const QByteArray& appName,
                                           std::uint32_t* numDevs, std::uint32_t* apiVersion,
                                           const InitializeParams& params) = 0;
    virtual std::int32_t lineNegotiateAPIVersion(Handle lineApp, std::uint32_t deviceID, std::uint32_t lowVersion,
                                                 std::uint32_t highVersion, std::uint32_t* apiVersion,
                                                 ExtensionId* extensionID) = 0;
    virtual std::int32_t lineGetDevCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                        std::uint32_t extVersion, Structure& devCaps) = 0;
    virtual std::int32_t lineGetAddressCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t addressID,
                                            std::uint32_t apiVersion, std::uint32_t extVersion,
                                            Structure& addressCaps) = 0;
    virtual std::int32_t lineOpen(Handle lineApp, std::uint32_t deviceID, Handle* line, std::uint32_t apiVersion,
                                  std::uint32_t extVersion, std::uint32_t callbackInstance, std::uint32_t privileges,
                                  std::uint32_t mediaModes) = 0;
    // The call handle is written when the request completes, unless the line
    // has been closed by then.
    virtual std::int32_t lineMakeCall(Handle line, Handle* call, const std::optional<QByteArray>& destAddress,
                                      std::uint32_t countryCode) = 0;
    virtual std::int32_t lineDrop(Handle call, const QByteArray& userUserInfo, std::uint32_t size) = 0;
    virtual std::int32_t lineDeallocateCall(Handle call) = 0;
    virtual std::int32_t lineClose(Handle line) = 0;
    virtual std::int32_t lineShutdown(Handle lineApp) = 0;
    virtual std::int32_t lineGetID(Handle line, std::uint32_t addressID, Handle call, std::uint32_t select,
                                   Structure& deviceID, const QByteArray& deviceClass) = 0;
    virtual std::int32_t lineGetCallInfo(Handle call, Structure& callInfo) = 0;
    virtual std::int32_t lineConfigDialog(std::uint32_t deviceID, QWidget* owner,
                                          const std::optional<QByteArray>& deviceClass) = 0;
    virtual std::int32_t lineTranslateDialogA(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                              QWidget* owner, const std::optional<QByteArray>& addressIn) = 0;
    virtual std::int32_t lineGetIconA(std::uint32_t deviceID, const std::optional<QByteArray>& deviceClass,
                                      Handle* icon) = 0;

    // Draws an icon into the rectangle; false when the icon is unknown.
    virtual bool DrawIconEx(QPaintDevice* device, int left, int top, Handle icon, int width, int height,
                            std::uint32_t flags) = 0;
    virtual bool DestroyIcon(Handle icon) = 0;
};

// The telephony of this computer. The program runs where no telephony
// service is installed: it initialises and reports no line devices.
Service& systemService();

} // namespace tapi
