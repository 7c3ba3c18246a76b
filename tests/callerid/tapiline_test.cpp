// The telephone-line class over the simulated telephony service: start-up and
// version negotiation, the capability buffers, the line and call life cycle
// driven by the service's messages, and messages that arrive late.
#include "callerid/automationerror.h"
#include "callerid/ctapiline.h"
#include "platform/tapi/simulatedlines.h"

#include <QCoreApplication>
#include <QImage>
#include <QStringEncoder>
#include <gtest/gtest.h>
#include <memory>

using namespace callerid;

namespace {

// The simulated service, remembering the total size each buffer came with.
class RecordingLines : public tapi::SimulatedLines {
public:
    std::vector<std::uint32_t> devCapsSizes, addressCapsSizes, varStringSizes, callInfoSizes;

    std::int32_t lineGetDevCaps(tapi::Handle app, std::uint32_t device, std::uint32_t version, std::uint32_t ext,
                                tapi::Structure& caps) override
    {
        devCapsSizes.push_back(caps.totalSize());
        return SimulatedLines::lineGetDevCaps(app, device, version, ext, caps);
    }
    std::int32_t lineGetAddressCaps(tapi::Handle app, std::uint32_t device, std::uint32_t address,
                                    std::uint32_t version, std::uint32_t ext, tapi::Structure& caps) override
    {
        addressCapsSizes.push_back(caps.totalSize());
        return SimulatedLines::lineGetAddressCaps(app, device, address, version, ext, caps);
    }
    std::int32_t lineGetID(tapi::Handle line, std::uint32_t address, tapi::Handle call, std::uint32_t select,
                           tapi::Structure& id, const QByteArray& deviceClass) override
    {
        varStringSizes.push_back(id.totalSize());
        EXPECT_EQ(id.dword(tapi::layout::varstring::StringFormat), 1u);
        return SimulatedLines::lineGetID(line, address, call, select, id, deviceClass);
    }
    std::int32_t lineGetCallInfo(tapi::Handle call, tapi::Structure& info) override
    {
        callInfoSizes.push_back(info.totalSize());
        return SimulatedLines::lineGetCallInfo(call, info);
    }
};

QByteArray gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

tapi::SimulatedLines::Line voiceLine(const char* name)
{
    tapi::SimulatedLines::Line line;
    line.name = name;
    return line;
}

void processEvents()
{
    QCoreApplication::processEvents();
}

class TapiLine : public ::testing::Test {
protected:
    // A service with one voice line, created and opened.
    std::unique_ptr<cTAPILine> openedLine()
    {
        service.addLine(voiceLine("Modem"));
        auto line = std::make_unique<cTAPILine>(service);
        EXPECT_TRUE(line->Create());
        EXPECT_TRUE(line->OpenLine(1, 4));
        return line;
    }

    RecordingLines service;
};

} // namespace

TEST_F(TapiLine, StartsWithoutLinesOrWithAFailingService)
{
    cTAPILine none(service);
    EXPECT_FALSE(none.Create());
    EXPECT_EQ(none.LastError(), 0u);
    EXPECT_EQ(none.numLines(), 0u);
    EXPECT_THROW(none.setCurrentLineID(0), AutomationError);

    RecordingLines failing;
    failing.initializeResult = static_cast<std::int32_t>(0x80000044);
    cTAPILine refused(failing);
    EXPECT_FALSE(refused.Create());
    EXPECT_EQ(refused.LastError(), 0x80000044u);
    EXPECT_EQ(refused.LastError(), 0u);   // reading cleared it
}

TEST_F(TapiLine, NegotiatesEachLineAndReadsTheCurrentLinesCapabilities)
{
    tapi::SimulatedLines::Line first = voiceLine("");
    first.name = gbk(QStringLiteral("一号线"));
    first.providerInfo = "Provider";
    first.switchInfo = "Switch";
    first.permanentLineID = 77;
    first.maxDataRate = 9600;
    first.numTerminals = 2;
    first.extensionID = {{1, 2, 3, 4}};
    service.addLine(first);
    tapi::SimulatedLines::Line refuses = voiceLine("refuses");
    refuses.negotiationFails = true;
    service.addLine(refuses);
    tapi::SimulatedLines::Line older = voiceLine("older");
    older.highVersion = 0x20000;
    older.mediaModes = 0x10;   // data only
    service.addLine(older);
    service.serviceVersion = 0x20001;

    cTAPILine line(service);
    ASSERT_TRUE(line.Create());
    EXPECT_EQ(line.numLines(), 3u);
    EXPECT_EQ(line.HiAPI(), 0x20001u);   // replaced by what the service supports
    EXPECT_EQ(line.NegotiatedAPIVersion(), 0x20001u);
    EXPECT_EQ(line.LineName(), QStringLiteral("一号线"));
    EXPECT_EQ(line.ProviderInfo(), QStringLiteral("Provider"));
    EXPECT_EQ(line.SwitchInfo(), QStringLiteral("Switch"));
    EXPECT_EQ(line.PermanentLineID(), 77u);
    EXPECT_EQ(line.maxDataRate(), 9600u);
    EXPECT_EQ(line.numTerminals(), 2u);
    EXPECT_EQ(line.ExtAPI_ID2(), 3u);
    EXPECT_TRUE(line.LineSupportsVoiceCalls());
    EXPECT_EQ(line.LastError(), 0u);

    // The line whose negotiation failed has version 0: its capabilities cannot be read.
    line.setCurrentLineID(1);
    EXPECT_EQ(line.LastError(), tapi::error::IncompatibleApiVersion);
    EXPECT_EQ(line.LineName(), QStringLiteral("一号线"));   // kept from before

    line.setCurrentLineID(2);
    EXPECT_EQ(line.LineName(), QStringLiteral("older"));
    EXPECT_FALSE(line.LineSupportsVoiceCalls());

    for (std::int32_t outside : {3, -1}) {
        try {
            line.setCurrentLineID(outside);
            ADD_FAILURE() << outside;
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.number(), 380);
            EXPECT_EQ(error.source(), QStringLiteral("cTAPILine"));
        }
    }
    EXPECT_EQ(line.CurrentLineID(), 2);

    // Every buffer goes out with its whole size.
    for (std::uint32_t size : service.devCapsSizes) EXPECT_EQ(size, 2285u);
    for (std::uint32_t size : service.addressCapsSizes) EXPECT_EQ(size, 2225u);
    EXPECT_EQ(service.devCapsSizes.size(), 3u);
}

TEST_F(TapiLine, OpensOneLineAndReadsItsDeviceId)
{
    tapi::SimulatedLines::Line modem = voiceLine("Modem");
    modem.deviceId = "COM3";
    service.addLine(modem);
    cTAPILine line(service);
    ASSERT_TRUE(line.Create());
    EXPECT_EQ(line.GetID(0, QStringLiteral("comm")), QString());   // no open line
    ASSERT_TRUE(line.OpenLine(1, 4));
    const tapi::Handle first = line.hLine();
    EXPECT_NE(first, 0u);
    EXPECT_FALSE(line.OpenLine(1, 4));
    EXPECT_EQ(line.hLine(), first);
    EXPECT_EQ(service.openLines(), 1);

    EXPECT_EQ(line.GetID(0, QStringLiteral("comm")), QStringLiteral("COM3"));
    EXPECT_EQ(service.varStringSizes, std::vector<std::uint32_t>{2073u});

    EXPECT_TRUE(line.CloseLine());
    EXPECT_EQ(line.hLine(), 0u);
    EXPECT_FALSE(line.CloseLine());
    EXPECT_FALSE(line.MakeCallAsynch(QStringLiteral("123")));

    service.openResult = static_cast<std::int32_t>(tapi::error::OperationFailed);
    EXPECT_FALSE(line.OpenLine(1, 4));
    EXPECT_EQ(line.hLine(), 0u);
    EXPECT_EQ(line.LastError(), tapi::error::OperationFailed);
}

TEST_F(TapiLine, AFailedCallClosesTheLineBeforeItsResultIsRaised)
{
    auto line = openedLine();
    bool lineOpenAtResult = true;
    std::int32_t result = 0;
    line->onMakeCallResult = [&](std::int32_t code) {
        result = code;
        lineOpenAtResult = line->hLine() != 0;
    };
    ASSERT_TRUE(line->MakeCallAsynch(QStringLiteral("北京8888")));
    EXPECT_EQ(service.lastDialled, gbk(QStringLiteral("北京8888")));
    service.completeRequest(service.lastRequestId(), static_cast<std::int32_t>(tapi::error::CallUnavail));
    EXPECT_EQ(result, 0);   // nothing arrives before events are processed
    processEvents();
    EXPECT_EQ(result, static_cast<std::int32_t>(tapi::error::CallUnavail));
    EXPECT_FALSE(lineOpenAtResult);
    EXPECT_EQ(service.openLines(), 0);

    // An empty number dials without an address; a successful call keeps the line.
    ASSERT_TRUE(line->OpenLine(1, 4));
    ASSERT_TRUE(line->MakeCallAsynch(QString()));
    EXPECT_FALSE(service.lastDialled.has_value());
    result = -1;
    service.completeRequest(service.lastRequestId(), 0);
    processEvents();
    EXPECT_EQ(result, 0);
    EXPECT_NE(line->hLine(), 0u);
}

TEST_F(TapiLine, IncomingCallRunsThroughItsStates)
{
    auto line = openedLine();
    QStringList events;
    line->onInfoCallerID = [&](const QString& cid) { events << QStringLiteral("cid ") + cid; };
    line->onConnected = [&] { events << QStringLiteral("connected"); };
    line->onDisconnected = [&] { events << QStringLiteral("disconnected"); };
    line->onIdle = [&] { events << QStringLiteral("idle"); };
    line->onDropCallResult = [&](std::int32_t code) { events << QStringLiteral("dropped %1").arg(code); };
    line->onLineClose = [&] { events << QStringLiteral("closed"); };

    const tapi::Handle call = service.offerCall(line->hLine(), gbk(QStringLiteral("13812345678 张三")));
    processEvents();
    EXPECT_EQ(events, QStringList{QStringLiteral("cid 13812345678 张三")});
    EXPECT_EQ(service.callInfoSizes, std::vector<std::uint32_t>{2345u});

    service.changeCallState(call, tapi::callstate::Ringback);   // no event of its own
    service.changeCallState(call, tapi::callstate::Connected);
    service.changeCallState(call, tapi::callstate::Disconnected);
    processEvents();
    EXPECT_EQ(events.mid(1), (QStringList{QStringLiteral("connected"), QStringLiteral("disconnected")}));
    EXPECT_TRUE(service.calls.contains(QStringLiteral("lineDrop")));   // the drop is pending
    EXPECT_FALSE(line->DropCallAsynch());                              // no call left to drop

    service.completeRequest(service.lastRequestId(), 0);
    service.changeCallState(call, tapi::callstate::Idle);
    processEvents();
    EXPECT_EQ(events.mid(3), (QStringList{QStringLiteral("dropped 0"), QStringLiteral("idle")}));

    service.closeByService(line->hLine());
    processEvents();
    EXPECT_EQ(events.last(), QStringLiteral("closed"));
    EXPECT_EQ(line->hLine(), 0u);
}

TEST_F(TapiLine, MessagesForAGoneObjectAreDropped)
{
    auto line = openedLine();
    int received = 0;
    line->onInfoCallerID = [&](const QString&) { ++received; };
    service.offerCall(line->hLine(), "555");
    line.reset();   // the messages are still queued
    EXPECT_TRUE(service.calls.contains(QStringLiteral("lineClose")));
    EXPECT_EQ(service.calls.last(), QStringLiteral("lineShutdown"));
    EXPECT_EQ(service.openLines(), 0);

    // A new object opened now must not receive the old object's messages either.
    auto next = std::make_unique<cTAPILine>(service);
    ASSERT_TRUE(next->Create());
    ASSERT_TRUE(next->OpenLine(1, 4));
    int nextReceived = 0;
    next->onInfoCallerID = [&](const QString&) { ++nextReceived; };
    next->onLineClose = [&] { ++nextReceived; };
    processEvents();
    EXPECT_EQ(received, 0);
    EXPECT_EQ(nextReceived, 0);

    // A handler may destroy its own object.
    next->onLineClose = [&] { next.reset(); };
    service.closeByService(next->hLine());
    processEvents();
    EXPECT_EQ(next, nullptr);
}

TEST_F(TapiLine, StringsFromStructures)
{
    tapi::Structure s(24, 64);
    auto put = [&](std::uint32_t offset, const QByteArray& bytes) { ASSERT_TRUE(s.writeBytes(offset, bytes)); };
    put(24, QByteArray("Name\0rest", 9));
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 24, 9), QStringLiteral("Name"));
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 24, 3), QStringLiteral("Nam"));
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 0, 9), QString());
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 24, 0), QString());
    // A NUL at the second character: the text starts at the ninth.
    put(40, QByteArray("A\0BCDEFGHello\0x", 16));
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 40, 16), QStringLiteral("Hello"));
    // An offset or size that runs past the structure reads what is there.
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 5000, 10), QString());
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 24, 0xFFFFFFFF), QStringLiteral("Name"));
    put(60, gbk(QStringLiteral("话机")));
    EXPECT_EQ(cTAPILine::StringFromStruct(s, 60, 4), QStringLiteral("话机"));
}

TEST_F(TapiLine, ErrorTexts)
{
    cTAPILine line(service);
    EXPECT_EQ(line.ErrorString(0x80000001), QStringLiteral("Allocated"));
    EXPECT_EQ(line.ErrorString(0x80000026), QStringLiteral("Invalid Digit List"));
    EXPECT_EQ(line.ErrorString(0x80000032), QStringLiteral("Invalid Param"));
    EXPECT_EQ(line.ErrorString(0x80000056), QStringLiteral("No Multiple Instance"));
    for (std::uint32_t gap : {0x80000004u, 0x80000025u, 0x80000031u, 0u, 0x80000057u, 0x80000000u})
        EXPECT_EQ(line.ErrorString(gap), QStringLiteral("Unknown Error")) << std::hex << gap;
}

TEST_F(TapiLine, PaintsTheLinesIcon)
{
    tapi::SimulatedLines::Line withIcon = voiceLine("icon");
    withIcon.icon = QImage(4, 4, QImage::Format_RGB32);
    withIcon.icon.fill(Qt::red);
    service.addLine(withIcon);
    service.addLine(voiceLine("plain"));
    cTAPILine line(service);
    ASSERT_TRUE(line.Create());

    QImage canvas(20, 20, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    EXPECT_TRUE(line.PaintDevIcon(&canvas, 2, 3, 8, 8));
    EXPECT_EQ(canvas.pixelColor(5, 6), QColor(Qt::red));
    EXPECT_EQ(canvas.pixelColor(15, 15), QColor(Qt::white));
    EXPECT_EQ(service.liveIcons(), 0);

    line.setCurrentLineID(1);
    EXPECT_FALSE(line.PaintDevIcon(&canvas, 0, 0, 8, 8));
    EXPECT_EQ(line.LastError(), tapi::error::OperationUnavail);
}
