// The driver functions: each notes its call with the simulated box (tests
// read the order) and lets the box do the work.
#include "platform/gxbox/gxvoice.h"

#include "platform/gxbox/simulatedbox.h"

namespace {

gxbox::SimulatedBox& noted(const QString& call)
{
    gxbox::SimulatedBox& box = gxbox::SimulatedBox::instance();
    box.record(call);
    return box;
}

QString withChannel(const char* name, std::int16_t channel)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(channel);
}

} // namespace

std::int16_t GX_InitializeSystem()
{
    return noted(QStringLiteral("GX_InitializeSystem()")).initialize();
}

std::int16_t GX_GetTotalChannelCount()
{
    return noted(QStringLiteral("GX_GetTotalChannelCount()")).channelCount();
}

std::int16_t GX_GetChannelType(std::int16_t channel)
{
    return noted(withChannel("GX_GetChannelType", channel)).channelType(channel);
}

std::int16_t GX_OpenChannel(std::int16_t channel)
{
    return noted(withChannel("GX_OpenChannel", channel)).openChannel(channel);
}

std::int16_t GX_StartDetectDTMF(std::int16_t channel, std::int16_t /*mode*/)
{
    noted(withChannel("GX_StartDetectDTMF", channel));
    return 0;
}

std::int16_t GX_StartDetectCallerID(std::int16_t channel)
{
    noted(withChannel("GX_StartDetectCallerID", channel));
    return 0;
}

// Queue reads are not noted: a tick makes many of them.
std::int16_t GX_GetMessageForWindows(std::int16_t /*kind*/, GxMessage& message)
{
    return gxbox::SimulatedBox::instance().nextMessage(message);
}

std::int16_t GX_GetFskCallerID(std::int16_t channel, char* first, char* second, char* third)
{
    gxbox::SimulatedBox& box = noted(withChannel("GX_GetFskCallerID", channel));
    const std::int16_t result = box.callerId(channel, second);
    if (result == 0) {
        box.callerId(channel, first);
        box.callerId(channel, third);
    }
    return result;
}

std::int16_t GX_GetDTMFCallerID(std::int16_t channel, char* buffer)
{
    return noted(withChannel("GX_GetDTMFCallerID", channel)).callerId(channel, buffer);
}

std::int16_t GX_StartRecordWaveFile(std::int16_t channel, const char* path, std::int32_t /*start*/,
                                    std::int32_t /*length*/, std::uint8_t /*mode*/)
{
    return noted(withChannel("GX_StartRecordWaveFile", channel)).startRecording(channel, path);
}

std::int16_t GX_StopRecordVoice(std::int16_t channel)
{
    return noted(withChannel("GX_StopRecordVoice", channel)).stopRecording(channel);
}

std::int16_t GX_StopFaxOperate(std::int16_t channel)
{
    noted(withChannel("GX_StopFaxOperate", channel));
    return 0;
}

std::int16_t GX_CloseFaxChannel(std::int16_t channel)
{
    noted(withChannel("GX_CloseFaxChannel", channel));
    return 0;
}

std::int16_t GX_CloseFaxFunction()
{
    noted(QStringLiteral("GX_CloseFaxFunction()"));
    return 0;
}

std::int16_t GX_CloseSystem()
{
    return noted(QStringLiteral("GX_CloseSystem()")).closeSystem();
}
