#include "platform/gxbox/simulatedbox.h"

#include <QFile>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace gxbox {

namespace {

const char* const kScriptVariable = "HALVEX_CIDBOX";
const char* const kChannelsVariable = "HALVEX_CIDBOX_CHANNELS";
constexpr int kSampleRate = 8000;
constexpr int kToneSamples = kSampleRate / 2;   // half a second
constexpr double kToneHertz = 440.0;

std::vector<std::int16_t> channelTypesFromEnvironment()
{
    const QString listed = qEnvironmentVariable(kChannelsVariable).trimmed();
    if (listed.isEmpty()) return {1};
    std::vector<std::int16_t> types;
    for (const QString& item : listed.split(QLatin1Char(','))) {
        bool ok = false;
        const int type = item.trimmed().toInt(&ok);
        types.push_back(ok ? static_cast<std::int16_t>(type) : 0);
    }
    return types;
}

void appendLittleEndian(QByteArray& bytes, quint32 value, int size)
{
    for (int i = 0; i < size; ++i) bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

} // namespace

SimulatedBox& SimulatedBox::instance()
{
    static SimulatedBox box;
    return box;
}

void SimulatedBox::reset()
{
    closeSystem();
    configured_.reset();
    queue_.clear();
    clearCalls();
}

void SimulatedBox::record(const QString& call)
{
    notes_ += call + QLatin1Char('\n');
    if (++noteCount_ > kKeptCalls) {
        notes_.remove(0, notes_.indexOf(QLatin1Char('\n')) + 1);
        --noteCount_;
    }
}

QStringList SimulatedBox::calls() const
{
    return notes_.isEmpty() ? QStringList() : notes_.chopped(1).split(QLatin1Char('\n'));
}

void SimulatedBox::clearCalls()
{
    notes_.clear();
    noteCount_ = 0;
}

void SimulatedBox::configure(const std::vector<std::int16_t>& channelTypes)
{
    configured_ = channelTypes;
}

void SimulatedBox::push(const BoxEvent& event)
{
    queue_.push_back(event);
}

bool SimulatedBox::isRecording(std::int16_t channel) const
{
    return validChannel(channel) && channels_[channel].recording != nullptr;
}

std::optional<BoxEvent> SimulatedBox::parseLine(const QString& line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2 || words[0].startsWith(QLatin1Char('#'))) return std::nullopt;
    bool ok = false;
    const int channel = words[0].toInt(&ok);
    if (!ok || channel < 0 || channel > 32767) return std::nullopt;
    const QString what = words[1].toLower();
    BoxEvent event;
    event.channel = static_cast<std::int16_t>(channel);
    if (what == QLatin1String("cid") || what == QLatin1String("dtmf")) {
        if (words.size() < 3) return std::nullopt;
        event.event = what == QLatin1String("cid") ? gxevent::FskCallerId : gxevent::DtmfCallerId;
        event.number = words.mid(2).join(QLatin1Char(' ')).toUtf8();
        return event;
    }
    if (words.size() != 2) return std::nullopt;
    if (what == QLatin1String("ring")) event.event = gxevent::Ringing;
    else if (what == QLatin1String("offhook")) event.event = gxevent::OffHook;
    else if (what == QLatin1String("hangup")) event.event = gxevent::LineCut;
    else if (what == QLatin1String("connect")) event.event = gxevent::LineConnected;
    else return std::nullopt;
    return event;
}

QByteArray SimulatedBox::toneWave()
{
    constexpr quint32 dataBytes = kToneSamples * 2;
    QByteArray wave("RIFF");
    appendLittleEndian(wave, 36 + dataBytes, 4);
    wave.append("WAVEfmt ");
    appendLittleEndian(wave, 16, 4);              // format chunk size
    appendLittleEndian(wave, 1, 2);               // PCM
    appendLittleEndian(wave, 1, 2);               // mono
    appendLittleEndian(wave, kSampleRate, 4);
    appendLittleEndian(wave, kSampleRate * 2, 4); // bytes per second
    appendLittleEndian(wave, 2, 2);               // block align
    appendLittleEndian(wave, 16, 2);              // bits per sample
    wave.append("data");
    appendLittleEndian(wave, dataBytes, 4);
    for (int i = 0; i < kToneSamples; ++i) {
        const double sample = 8000.0 * std::sin(2.0 * M_PI * kToneHertz * i / kSampleRate);
        appendLittleEndian(wave, static_cast<quint16>(static_cast<qint16>(std::lround(sample))), 2);
    }
    return wave;
}

std::int16_t SimulatedBox::initialize()
{
    closeSystem();
    std::vector<std::int16_t> types;
    if (configured_) {
        types = *configured_;
    } else {
        scriptPath_ = qEnvironmentVariable(kScriptVariable);
        if (scriptPath_.isEmpty()) return -1;   // no box attached
        types = channelTypesFromEnvironment();
        // Only lines written from now on ring the box.
        scriptOffset_ = QFile(scriptPath_).size();
    }
    channels_.assign(types.size(), Channel{});
    for (size_t c = 0; c < types.size(); ++c) channels_[c].type = types[c];
    running_ = true;
    return 0;
}

std::int16_t SimulatedBox::channelCount() const
{
    return running_ ? static_cast<std::int16_t>(channels_.size()) : 0;
}

bool SimulatedBox::validChannel(std::int16_t channel) const
{
    return running_ && channel >= 0 && channel < static_cast<int>(channels_.size());
}

std::int16_t SimulatedBox::channelType(std::int16_t channel)
{
    return validChannel(channel) ? channels_[channel].type : 0;
}

std::int16_t SimulatedBox::openChannel(std::int16_t channel)
{
    if (!validChannel(channel) || channels_[channel].type == 0) return -1;
    channels_[channel].open = true;
    return 0;
}

void SimulatedBox::readScript()
{
    if (scriptPath_.isEmpty()) return;
    QFile script(scriptPath_);
    if (!script.open(QIODevice::ReadOnly)) return;
    if (script.size() < scriptOffset_) scriptOffset_ = 0;   // the file was started again
    if (!script.seek(scriptOffset_)) return;
    const QByteArray added = script.readAll();
    // Only whole lines: a line still being written waits for the next read.
    const qsizetype end = added.lastIndexOf('\n');
    if (end < 0) return;
    scriptOffset_ += end + 1;
    for (const QByteArray& line : added.left(end).split('\n'))
        if (auto event = parseLine(QString::fromUtf8(line))) queue_.push_back(*event);
}

std::int16_t SimulatedBox::nextMessage(GxMessage& message)
{
    if (!running_) return -1;
    if (queue_.empty()) readScript();
    if (queue_.empty()) return 1;
    const BoxEvent event = queue_.front();
    queue_.pop_front();
    message = GxMessage{};
    message.Event = event.event;
    message.Channel = event.channel;
    if (validChannel(event.channel)) channels_[event.channel].lastNumber = event.number;
    return 0;
}

std::int16_t SimulatedBox::callerId(std::int16_t channel, char* buffer)
{
    if (!validChannel(channel) || !buffer) return -1;
    const QByteArray& number = channels_[channel].lastNumber;
    if (number.isEmpty()) return -1;
    // As much of the number as fits; a number of the buffer's full length leaves no NUL.
    std::memset(buffer, 0, kCallerIdBufferLength);
    std::memcpy(buffer, number.constData(), std::min<size_t>(number.size(), kCallerIdBufferLength));
    return 0;
}

std::int16_t SimulatedBox::startRecording(std::int16_t channel, const char* path)
{
    if (!validChannel(channel) || !path) return -1;
    stopRecording(channel);
    // The file is made once and then written through its open handle only, so
    // a recording removed while it runs is never made again by its name.
    auto file = std::make_shared<QFile>(QFile::decodeName(path));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    const QByteArray wave = toneWave();
    if (file->write(wave) != wave.size() || !file->flush()) return 1;
    channels_[channel].recording = std::move(file);
    return 0;
}

std::int16_t SimulatedBox::stopRecording(std::int16_t channel)
{
    if (!validChannel(channel) || !channels_[channel].recording) return -1;
    channels_[channel].recording->close();
    channels_[channel].recording.reset();
    return 0;
}

std::int16_t SimulatedBox::closeSystem()
{
    for (size_t c = 0; c < channels_.size(); ++c) stopRecording(static_cast<std::int16_t>(c));
    channels_.clear();
    running_ = false;
    return 0;
}

} // namespace gxbox
