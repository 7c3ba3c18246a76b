// The simulated caller-ID box: script lines become events in order, malformed
// lines are skipped, caller-ID reads stay within their buffers, recordings
// are real WAV files, a box without its script variable is missing, and the
// noted calls stay few however long the box rings.
#include "platform/gxbox/gxvoice.h"
#include "platform/gxbox/simulatedbox.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

class SimulatedBoxTest : public ::testing::Test {
protected:
    void SetUp() override { box().reset(); }
    void TearDown() override
    {
        box().reset();
        qunsetenv("HALVEX_CIDBOX");
        qunsetenv("HALVEX_CIDBOX_CHANNELS");
    }
    static gxbox::SimulatedBox& box() { return gxbox::SimulatedBox::instance(); }
    static void append(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(text);
    }
    QTemporaryDir dir;
};

quint32 le32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

TEST_F(SimulatedBoxTest, MissingWithoutTheScriptVariable)
{
    qunsetenv("HALVEX_CIDBOX");
    EXPECT_NE(GX_InitializeSystem(), 0);
    EXPECT_EQ(GX_GetTotalChannelCount(), 0);
    GxMessage message;
    EXPECT_NE(GX_GetMessageForWindows(10, message), 0);
}

TEST_F(SimulatedBoxTest, ScriptLinesBecomeEventsInOrderAndBadLinesAreSkipped)
{
    const QString script = dir.filePath(QStringLiteral("box.txt"));
    append(script, "0 cid 99999\n");   // written before the box started: not an event
    qputenv("HALVEX_CIDBOX", script.toUtf8());
    qputenv("HALVEX_CIDBOX_CHANNELS", "1,0,2");
    ASSERT_EQ(GX_InitializeSystem(), 0);
    EXPECT_EQ(GX_GetTotalChannelCount(), 3);
    EXPECT_EQ(GX_GetChannelType(2), 2);

    append(script, "0 ring\n# a note\n\n1 cid 13800138000\nx offhook\n0 bogus\n0 cid\n0 ring extra\n"
                   "2 dtmf 0755 8123\n0 offhook\n0 hangup\n0 connect\n1 cid 555");
    std::vector<std::pair<int, int>> events;
    GxMessage message;
    char buffer[kCallerIdBufferLength];
    QByteArray dtmf;
    while (GX_GetMessageForWindows(10, message) == 0) {
        events.emplace_back(message.Event, message.Channel);
        if (message.Event == gxevent::DtmfCallerId && GX_GetDTMFCallerID(message.Channel, buffer) == 0)
            dtmf = QByteArray(buffer, kCallerIdBufferLength);
    }
    const std::vector<std::pair<int, int>> expected{{0x3003, 0}, {0, 1}, {1, 2}, {0x3001, 0}, {0x3004, 0}, {0x3005, 0}};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(dtmf, QByteArray("0755 8123").leftJustified(kCallerIdBufferLength, '\0'));

    // The unfinished last line arrives once it is complete.
    append(script, "\n");
    ASSERT_EQ(GX_GetMessageForWindows(10, message), 0);
    EXPECT_EQ(message.Channel, 1);
    EXPECT_NE(GX_GetMessageForWindows(10, message), 0);
}

TEST_F(SimulatedBoxTest, CallerIdReadsFillTheSecondBufferWithinItsLength)
{
    box().configure({1});
    ASSERT_EQ(GX_InitializeSystem(), 0);
    const QByteArray longNumber(250, '7');
    box().push({gxevent::FskCallerId, 0, longNumber});
    box().push({gxevent::Ringing, 0, {}});
    // Guard bytes after each buffer show that nothing is written past it.
    char first[kCallerIdBufferLength + 1], second[kCallerIdBufferLength + 1], third[kCallerIdBufferLength + 1];
    second[kCallerIdBufferLength] = '#';
    GxMessage message;
    ASSERT_EQ(GX_GetMessageForWindows(10, message), 0);
    ASSERT_EQ(GX_GetFskCallerID(0, first, second, third), 0);
    EXPECT_EQ(QByteArray(second, kCallerIdBufferLength), QByteArray(kCallerIdBufferLength, '7'));
    EXPECT_EQ(second[kCallerIdBufferLength], '#');
    // The event just taken is a ring: it carries no number.
    ASSERT_EQ(GX_GetMessageForWindows(10, message), 0);
    EXPECT_NE(GX_GetFskCallerID(0, first, second, third), 0);
}

TEST_F(SimulatedBoxTest, ABoxRingingAllDayKeepsOnlyItsLatestNotedCalls)
{
    box().configure({1});
    ASSERT_EQ(GX_InitializeSystem(), 0);
    for (int call = 0; call < gxbox::SimulatedBox::kKeptCalls + 500; ++call) GX_StartDetectCallerID(0);
    GX_StopRecordVoice(0);
    ASSERT_EQ(box().calls().size(), gxbox::SimulatedBox::kKeptCalls);
    EXPECT_EQ(box().calls().first(), QStringLiteral("GX_StartDetectCallerID(0)"));
    EXPECT_EQ(box().calls().last(), QStringLiteral("GX_StopRecordVoice(0)"));
}

TEST_F(SimulatedBoxTest, RecordingsAreWaveFilesAndAMissingFolderIsRefused)
{
    box().configure({1, 1});
    ASSERT_EQ(GX_InitializeSystem(), 0);
    EXPECT_NE(GX_StartRecordWaveFile(0, dir.filePath(QStringLiteral("WavFile/a.wav")).toUtf8().constData(), 0, -1, 0), 0);
    EXPECT_FALSE(box().isRecording(0));

    const QString path = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_EQ(GX_StartRecordWaveFile(0, path.toUtf8().constData(), 0, -1, 0), 0);
    ASSERT_EQ(GX_StartRecordWaveFile(1, dir.filePath(QStringLiteral("b.wav")).toUtf8().constData(), 0, -1, 0), 0);
    // Removed while it runs: stopping does not bring it back.
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(GX_StopRecordVoice(0), 0);
    EXPECT_FALSE(QFile::exists(path));

    // Closing the box finishes the recording still running.
    EXPECT_TRUE(box().isRecording(1));
    GX_CloseSystem();
    EXPECT_FALSE(box().isRecording(1));
    QFile wave(dir.filePath(QStringLiteral("b.wav")));
    ASSERT_TRUE(wave.open(QIODevice::ReadOnly));
    const QByteArray bytes = wave.readAll();
    ASSERT_GE(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(le32(bytes, 4), static_cast<quint32>(bytes.size() - 8));
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 20), 1);   // PCM
    EXPECT_EQ(le32(bytes, 24), 8000u);
    EXPECT_EQ(bytes.mid(36, 4), "data");
    EXPECT_EQ(le32(bytes, 40), static_cast<quint32>(bytes.size() - 44));
    EXPECT_GT(le32(bytes, 40), 0u);
}

} // namespace
