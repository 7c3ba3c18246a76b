#pragma once
// A telephony service held in memory, driven by code: the line devices it
// reports, the versions each accepts (or a failing negotiation), and the
// events of the far side: an offered call with its caller ID, call-state
// changes, replies to asynchronous requests, a line closed by the service.
// Messages are queued to the event loop and reach the callback only while
// events are processed, as the real service's hidden-window notifications do.
// With no lines added it stands for a computer without telephony.
#include "platform/tapi/lineservice.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace tapi {

class SimulatedLines : public Service {
public:
    struct Line {
        QByteArray name = "Line";
        QByteArray providerInfo;
        QByteArray switchInfo;
        std::uint32_t permanentLineID = 0;
        std::uint32_t stringFormat = 1;   // ASCII
        std::uint32_t numAddresses = 1;
        std::uint32_t maxDataRate = 0;
        std::uint32_t bearerModes = 1;    // voice
        std::uint32_t addressModes = 1;
        std::uint32_t mediaModes = 4;     // interactive voice
        std::uint32_t generateToneMaxNumFreq = 0;
        std::uint32_t generateToneModes = 0;
        std::uint32_t numTerminals = 0;
        std::uint32_t lowVersion = 0x10003;
        std::uint32_t highVersion = 0x30000;
        bool negotiationFails = false;
        ExtensionId extensionID;
        QByteArray deviceId;              // the text lineGetID returns for any class
        QImage icon;                      // none: lineGetIconA fails
    };

    SimulatedLines() = default;
    ~SimulatedLines() override;

    // ---- set-up
    int addLine(const Line& line);                 // returns the device id
    std::uint32_t serviceVersion = 0x20002;        // the highest version the service supports
    std::int32_t initializeResult = 0;             // a non-zero code makes lineInitializeExA fail
    std::int32_t openResult = 0;                   // likewise lineOpen
    std::int32_t closeResult = 0;                  // likewise lineClose

    // ---- the far side (each queues a message)
    // A call offered on an open line: the call-state message "offering" and
    // the caller-ID information message. Returns the call handle.
    Handle offerCall(Handle line, const QByteArray& callerId);
    void changeCallState(Handle call, std::uint32_t state);
    // Completes an asynchronous request with the result (0 = success); a
    // completed make-call request writes its call handle first.
    void completeRequest(std::int32_t requestId, std::int32_t result);
    void closeByService(Handle line);
    // Any message for the callback of an application, as it arrives.
    void post(Handle lineApp, std::uint32_t device, std::uint32_t message, std::uint32_t instance,
              std::uint32_t param1, std::uint32_t param2, std::uint32_t param3);

    // ---- what happened
    QStringList calls;                             // names of the functions called, in order
    std::int32_t lastRequestId() const { return nextRequest_ - 1; }
    bool isOpen(Handle line) const { return lines_.count(line) != 0; }
    int openLines() const { return static_cast<int>(lines_.size()); }
    bool isInitialized(Handle lineApp) const { return apps_.count(lineApp) != 0; }
    int liveIcons() const { return static_cast<int>(icons_.size()); }
    std::optional<QByteArray> lastDialled;

    // ---- the service
    std::int32_t lineInitializeExA(Handle* lineApp, LineCallback callback, const QByteArray& appName,
                                   std::uint32_t* numDevs, std::uint32_t* apiVersion,
                                   const InitializeParams& params) override;
    std::int32_t lineNegotiateAPIVersion(Handle lineApp, std::uint32_t deviceID, std::uint32_t lowVersion,
                                         std::uint32_t highVersion, std::uint32_t* apiVersion,
                                         ExtensionId* extensionID) override;
    std::int32_t lineGetDevCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                std::uint32_t extVersion, Structure& devCaps) override;
    std::int32_t lineGetAddressCaps(Handle lineApp, std::uint32_t deviceID, std::uint32_t addressID,
                                    std::uint32_t apiVersion, std::uint32_t extVersion,
                                    Structure& addressCaps) override;
    std::int32_t lineOpen(Handle lineApp, std::uint32_t deviceID, Handle* line, std::uint32_t apiVersion,
                          std::uint32_t extVersion, std::uint32_t callbackInstance, std::uint32_t privileges,
                          std::uint32_t mediaModes) override;
    std::int32_t lineMakeCall(Handle line, Handle* call, const std::optional<QByteArray>& destAddress,
                              std::uint32_t countryCode) override;
    std::int32_t lineDrop(Handle call, const QByteArray& userUserInfo, std::uint32_t size) override;
    std::int32_t lineDeallocateCall(Handle call) override;
    std::int32_t lineClose(Handle line) override;
    std::int32_t lineShutdown(Handle lineApp) override;
    std::int32_t lineGetID(Handle line, std::uint32_t addressID, Handle call, std::uint32_t select,
                           Structure& deviceID, const QByteArray& deviceClass) override;
    std::int32_t lineGetCallInfo(Handle call, Structure& callInfo) override;
    std::int32_t lineConfigDialog(std::uint32_t deviceID, QWidget* owner,
                                  const std::optional<QByteArray>& deviceClass) override;
    std::int32_t lineTranslateDialogA(Handle lineApp, std::uint32_t deviceID, std::uint32_t apiVersion,
                                      QWidget* owner, const std::optional<QByteArray>& addressIn) override;
    std::int32_t lineGetIconA(std::uint32_t deviceID, const std::optional<QByteArray>& deviceClass,
                              Handle* icon) override;
    bool DrawIconEx(QPaintDevice* device, int left, int top, Handle icon, int width, int height,
                    std::uint32_t flags) override;
    bool DestroyIcon(Handle icon) override;

private:
    struct OpenLine {
        Handle app;
        std::uint32_t device;
        std::uint32_t instance;
    };
    struct Call {
        Handle line;
        QByteArray callerId;
    };
    struct Request {
        Handle line;
        Handle* callHandle;   // make-call: where the call handle goes; nullptr for a drop
    };

    Handle newHandle() { return nextHandle_++; }
    bool knownDevice(std::uint32_t deviceID) const { return deviceID < devices_.size(); }
    void postForLine(Handle line, std::uint32_t device, std::uint32_t message, std::uint32_t param1,
                     std::uint32_t param2, std::uint32_t param3);
    void forgetLine(Handle line);

    std::vector<Line> devices_;
    std::map<Handle, LineCallback> apps_;
    std::map<Handle, OpenLine> lines_;
    std::map<Handle, Call> calls_;
    std::map<std::int32_t, Request> requests_;
    std::map<Handle, QImage> icons_;
    Handle nextHandle_ = 0x10001;
    std::int32_t nextRequest_ = 1;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

} // namespace tapi
