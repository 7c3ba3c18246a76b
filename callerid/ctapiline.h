#pragma once
// One line device of the telephony service: initialises the service for the
// program, negotiates a version with every line, reads the capabilities of
// the current line, opens it, places and drops calls, and turns the service's
// line messages into events. Failures of the service are never thrown: the
// methods return false and keep the code in LastError. Destroying the object
// deallocates its call, closes its line and shuts the service down.
#include "callerid/linecallback.h"
#include "platform/tapi/lineservice.h"

#include <QString>
#include <functional>
#include <vector>

class QPaintDevice;
class QWidget;

namespace callerid {

class cTAPILine {
public:
    explicit cTAPILine(tapi::Service& service = tapi::systemService());
    ~cTAPILine();
    cTAPILine(const cTAPILine&) = delete;
    cTAPILine& operator=(const cTAPILine&) = delete;

    QString GetID(std::uint32_t dwSelect, const QString& szClass);
    std::uint32_t LowAPI() const { return lowAPI_; }
    void setLowAPI(std::uint32_t ver) { lowAPI_ = ver; }
    std::uint32_t HiAPI() const { return hiAPI_; }
    void setHiAPI(std::uint32_t ver) { hiAPI_ = ver; }
    std::uint32_t LastError();   // reading clears it
    QString ErrorString(std::uint32_t errCode) const;
    bool Create();
    std::uint32_t numLines() const { return numLines_; }
    std::int32_t CurrentLineID() const { return currentLine_; }
    // An id outside 0 .. numLines - 1 throws AutomationError 380.
    void setCurrentLineID(std::int32_t id);
    std::uint32_t NegotiatedAPIVersion() const { return highestVersion_; }
    std::uint32_t ExtAPI_ID0() const { return extensionWord(0); }
    std::uint32_t ExtAPI_ID1() const { return extensionWord(1); }
    std::uint32_t ExtAPI_ID2() const { return extensionWord(2); }
    std::uint32_t ExtAPI_ID3() const { return extensionWord(3); }
    QString LineName() const { return lineName_; }
    QString ProviderInfo() const { return providerInfo_; }
    QString SwitchInfo() const { return switchInfo_; }
    std::uint32_t PermanentLineID() const { return permanentLineID_; }
    tapi::Handle hLine() const { return hLine_; }
    std::uint32_t StringFormat() const { return stringFormat_; }
    std::uint32_t numAddresses() const { return numAddresses_; }
    std::uint32_t maxDataRate() const { return maxDataRate_; }
    std::uint32_t BearerModes() const { return bearerModes_; }
    std::uint32_t AddressModes() const { return addressModes_; }
    std::uint32_t mediamodes() const { return mediaModes_; }
    std::uint32_t GenerateToneMaxNumFreq() const { return generateToneMaxNumFreq_; }
    std::uint32_t GenerateToneModes() const { return generateToneModes_; }
    std::uint32_t numTerminals() const { return numTerminals_; }
    bool LineSupportsVoiceCalls() const { return (bearerModes_ & 1) != 0 && (mediaModes_ & 4) != 0; }
    bool OpenLine(std::uint32_t privileges, std::uint32_t mediamodes);
    bool MakeCallAsynch(const QString& phonenumber);
    bool DropCallAsynch();
    bool CloseLine();
    bool ConfigDialog(QWidget* OwnerHwnd, const QString& DeviceClass);
    bool DialingPropertiesDialog(QWidget* OwnerHwnd, const QString& phonenumber);
    bool PaintDevIcon(QPaintDevice* hdc, int left, int top, int Width, int Height);

    // Events, in the order the class declares them.
    std::function<void(std::int32_t errorCode)> onMakeCallResult;
    std::function<void(std::int32_t errorCode)> onDropCallResult;
    std::function<void()> onConnected;
    std::function<void()> onIdle;
    std::function<void()> onDisconnected;
    std::function<void()> onLineClose;
    std::function<void(const QString& cid)> onInfoCallerID;

    // Sizes of the buffers handed to the service: fixed part + 2,049 spare bytes.
    static constexpr std::uint32_t kSpare = 2049;
    static constexpr std::uint32_t kDevCapsSize = 236 + kSpare;      // 2,285
    static constexpr std::uint32_t kAddressCapsSize = 176 + kSpare;  // 2,225
    static constexpr std::uint32_t kVarStringSize = 24 + kSpare;     // 2,073
    static constexpr std::uint32_t kCallInfoSize = 296 + kSpare;     // 2,345

    // A string of a structure read from the service: `size` bytes at
    // `offset`, from the ANSI code page (GBK, the code page of a Simplified
    // Chinese system); when the first NUL stands at the second character the
    // text starts at the ninth; cut before the first NUL. Empty when the size
    // is 0 or the offset is 0.
    static QString StringFromStruct(const tapi::Structure& structure, std::uint32_t offset, std::uint32_t size);

private:
    friend void ::dSrormat::LineCallback(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                       std::uint32_t);

    void GetDevCaps();
    void GetAddressCaps();
    void OnLineMessage(std::uint32_t device, std::uint32_t message, std::uint32_t param1, std::uint32_t param2,
                       std::uint32_t param3);
    void OnCallInfo(std::uint32_t infoState);
    void OnCallState(tapi::Handle call, std::uint32_t state);
    std::uint32_t lineVersion() const;
    std::uint32_t extensionWord(int word) const;
    void keepError(std::int32_t result) { lastError_ = static_cast<std::uint32_t>(result); }

    tapi::Service& service_;
    std::uint32_t instance_;   // the callback instance naming this object in the registry
    tapi::Handle hLineApp_ = 0;
    std::uint32_t numLines_ = 0;
    std::vector<std::uint32_t> versions_;
    std::vector<tapi::ExtensionId> extensionIds_;
    std::uint32_t highestVersion_ = 0;
    std::uint32_t lowAPI_ = 0x10003;
    std::uint32_t hiAPI_ = 0x30000;
    std::uint32_t lastError_ = 0;
    std::int32_t currentLine_ = 0;
    tapi::Structure devCaps_;
    tapi::Structure addressCaps_;
    QString lineName_, providerInfo_, switchInfo_;
    std::uint32_t permanentLineID_ = 0, stringFormat_ = 0, numAddresses_ = 0, maxDataRate_ = 0, bearerModes_ = 0,
                  addressModes_ = 0, mediaModes_ = 0, generateToneMaxNumFreq_ = 0, generateToneModes_ = 0,
                  numTerminals_ = 0;
    tapi::Handle hLine_ = 0;
    tapi::Handle hCall_ = 0;
    std::int32_t pendingMakeCall_ = 0;
    std::int32_t pendingDrop_ = 0;
};

} // namespace callerid
