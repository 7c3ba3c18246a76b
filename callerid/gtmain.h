#pragma once
// The call monitor: owns the caller-ID box, lists its channels, handles each
// caller ID (logs the call, pops up the caller's card or the unknown-caller
// window), records answered calls and lists the calls of one day.
#include "callerid/daycalls.h"
#include "callerid/mclcd.h"
#include "common/callmonitor.h"
#include "platform/gxbox/gxvoice.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/form.h"
#include "platform/ui/listview.h"

#include <QDate>
#include <array>
#include <optional>

namespace callerid {

class GtMain : public ui::Form, public CallMonitor {
    Q_OBJECT

public:
    // Channels 0 to 32: a box that reports more has those above 32 neither
    // opened nor listed.
    static constexpr int kMaxChannels = 33;
    // Each tick drains the box's queue.
    static constexpr int kPollMs = 20;
    // The channel grid's columns; cell index = row × kGridColumns + column.
    static constexpr int kGridColumns = 6;

    GtMain();

    QString PhoneID() const override { return PhoneID_; }
    QString TelNo() const override { return TelNo_; }
    QString Openitem() const override { return Openitem_; }
    std::int32_t OpenitemId() const override { return OpenitemId_; }
    void clearOpenitem() override;
    QString RecordFlag() const override { return RecordFlag_; }

    // The call handling, the pump and the day list (public for tests and the pop-ups).
    void HandleCallerID(const QByteArray& callerIdText);
    void PollBoxEvents();
    void LoadDayCalls(const QString& dayText);
    QString AreaOfNumber(QString& number);

    void image12_Click();
    void image14_Click();
    void image16_Click();
    void command1_Click();
    void command2_Click();
    void ListView3_ColumnClick(int column);
    void ListView3_ItemClick(int row);
    void ListView3_DblClick();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    mcLCD yearDisplay;
    mcLCD monthDisplay;
    mcLCD dayDisplay;

    void addControls();
    void startBox();
    void closeBox();
    void unloadOtherWindows();
    void saveRectangle();

    // Incoming calls
    void readCallerIdOptions(QString& outLine, QString& isPop);
    void writeCallRow(const QString& userName);
    QString loggedNumber(const QString& number);
    void showKnownCaller(std::int32_t companyId);
    void showUnknownCaller();
    void writeStatusStrip(const std::optional<QString>& customerOrArea);

    // The pump
    void handleEvent(const GxMessage& message);
    void readFskCallerId(std::int16_t channel);
    void readDtmfCallerId(std::int16_t channel);
    void offHook(std::int16_t channel);
    void lineCut(std::int16_t channel);
    void setStatus(int channel, const QString& text);
    void setMainLabel(const QString& name, const QString& text);
    QString recordingName(std::int16_t channel) const;

    // The day list
    void refreshDayCalls();
    void showDayCalls(const std::vector<DayCall>& calls);
    void showDay(const QDate& day);
    QDate shownDay() const;

    ui::ListView* ListView3 = nullptr;
    ui::FlexGrid* StatusGridV = nullptr;
    ui::TextBox* hvDay = nullptr;
    ui::TextBox* ldian = nullptr;
    ui::Timer* PollTimer = nullptr;
    std::array<ui::Label*, 6> Label1{};

    QString PhoneID_;
    QString TelNo_;
    QString Openitem_;
    std::int32_t OpenitemId_ = 0;   // the call the day list's double-click left pending
    std::int32_t clickedId_ = 0;    // the call last clicked in the day list
    QString RecordFlag_;

    int ChCount = 0;
    std::array<std::int16_t, kMaxChannels> ChType{};
    std::array<std::int16_t, kMaxChannels> ChState{};
    std::array<std::uint8_t, kMaxChannels> ChCallIn{};
    // The last caller's number per channel: each recording is named and filed
    // by its own line's caller.
    std::array<QString, kMaxChannels> ChNumber{};
    int PollBusy = 0;
    bool dayListDue_ = false;   // a caller ID of the running tick lists today's calls after it
    DayCalls dayCalls_;
    // The call log's number width (-1: not declared) and the data file it was read from.
    int callerIdWidth_ = -1;
    QString callerIdWidthOf_;
};

} // namespace callerid
