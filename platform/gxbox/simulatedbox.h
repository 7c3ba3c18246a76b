#pragma once
// The simulated caller-ID box behind the GX_ functions.
//
// Tests set it up in-process (channels, queued events). A person or an
// acceptance test rings it from a script: with HALVEX_CIDBOX naming a text
// file, the box is present and, whenever its queue runs empty, it reads the
// lines appended to that file since the last read, one event per line:
//
//   <channel> ring | cid <number> | dtmf <number> | offhook | hangup | connect
//
// mapped to the events 0x3003, 0 (FSK caller ID), 1 (DTMF caller ID), 0x3001,
// 0x3004 and 0x3005. Blank lines and lines starting with "#" are ignored;
// malformed lines are skipped. HALVEX_CIDBOX_CHANNELS lists the channel
// types, comma-separated (1 user, 2 trunk, 3 record, 4 mix, 0 none); the
// default is one user channel. Without HALVEX_CIDBOX the box is missing.
#include "platform/gxbox/gxvoice.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class QFile;

namespace gxbox {

struct BoxEvent {
    std::int16_t event = 0;
    std::int16_t channel = 0;
    QByteArray number;   // the caller's number of a caller-ID event
};

class SimulatedBox {
public:
    static SimulatedBox& instance();

    // Back to a missing box with nothing queued and no call recorded (tests).
    void reset();
    // Makes the box present with these channel types, in place of the
    // environment's settings, for the next GX_InitializeSystem (tests).
    void configure(const std::vector<std::int16_t>& channelTypes);
    void push(const BoxEvent& event);
    int pending() const { return static_cast<int>(queue_.size()); }
    // The GX_ calls made since the last reset, as "GX_Name(arguments)": the
    // last kKeptCalls of them, kept as one text, so a box ringing all day
    // keeps neither a growing list nor a string per call.
    static constexpr int kKeptCalls = 1000;
    QStringList calls() const;
    void clearCalls();
    bool isRecording(std::int16_t channel) const;

    // One script line as an event; empty for a malformed, blank or comment line.
    static std::optional<BoxEvent> parseLine(const QString& line);
    // The WAV file the box writes: a short 8 kHz 16-bit mono tone.
    static QByteArray toneWave();

    // The driver functions' work.
    std::int16_t initialize();
    std::int16_t channelCount() const;
    std::int16_t channelType(std::int16_t channel);
    std::int16_t openChannel(std::int16_t channel);
    std::int16_t nextMessage(GxMessage& message);
    std::int16_t callerId(std::int16_t channel, char* buffer);
    std::int16_t startRecording(std::int16_t channel, const char* path);
    std::int16_t stopRecording(std::int16_t channel);
    std::int16_t closeSystem();
    void record(const QString& call);

private:
    SimulatedBox() = default;
    bool validChannel(std::int16_t channel) const;
    void readScript();

    struct Channel {
        std::int16_t type = 0;
        bool open = false;
        QByteArray lastNumber;            // the number of the caller-ID event last taken
        std::shared_ptr<QFile> recording;
    };

    std::optional<std::vector<std::int16_t>> configured_;
    bool running_ = false;
    std::vector<Channel> channels_;
    std::deque<BoxEvent> queue_;
    QString notes_;   // the noted calls, each ended by a line break
    int noteCount_ = 0;
    QString scriptPath_;
    qint64 scriptOffset_ = 0;
};

} // namespace gxbox
