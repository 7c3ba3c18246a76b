#pragma once
// The caller-ID and voice box's driver functions, in the terms the call
// monitor uses. On this platform there is no vendor library: the functions
// drive the simulated box of simulatedbox.h. Results are 16-bit; 0 is success.
#include <cstdint>

struct GxMessage {
    std::int16_t Event = 0;
    std::int16_t Channel = 0;
    std::int16_t Param[7] = {};
};

// The length of each caller-ID text buffer.
inline constexpr int kCallerIdBufferLength = 200;

// Event codes the box delivers.
namespace gxevent {
inline constexpr std::int16_t FskCallerId = 0;
inline constexpr std::int16_t DtmfCallerId = 1;
inline constexpr std::int16_t OffHook = 0x3001;
inline constexpr std::int16_t Ringing = 0x3003;
inline constexpr std::int16_t LineCut = 0x3004;
inline constexpr std::int16_t LineConnected = 0x3005;
} // namespace gxevent

std::int16_t GX_InitializeSystem();
std::int16_t GX_GetTotalChannelCount();
std::int16_t GX_GetChannelType(std::int16_t channel);     // 0 none, 1 user, 2 trunk, 3 record, 4 mix
std::int16_t GX_OpenChannel(std::int16_t channel);
std::int16_t GX_StartDetectDTMF(std::int16_t channel, std::int16_t mode);
std::int16_t GX_StartDetectCallerID(std::int16_t channel);
// 0: one event written to `message`; otherwise none is pending.
std::int16_t GX_GetMessageForWindows(std::int16_t kind, GxMessage& message);
// Each buffer holds kCallerIdBufferLength characters; the number goes into the second.
std::int16_t GX_GetFskCallerID(std::int16_t channel, char* first, char* second, char* third);
std::int16_t GX_GetDTMFCallerID(std::int16_t channel, char* buffer);
std::int16_t GX_StartRecordWaveFile(std::int16_t channel, const char* path, std::int32_t start, std::int32_t length,
                                    std::uint8_t mode);
std::int16_t GX_StopRecordVoice(std::int16_t channel);
std::int16_t GX_StopFaxOperate(std::int16_t channel);
std::int16_t GX_CloseFaxChannel(std::int16_t channel);
std::int16_t GX_CloseFaxFunction();
std::int16_t GX_CloseSystem();
