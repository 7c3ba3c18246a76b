#pragma once
// What the new-activity and the activity editing windows share: their boxes,
// the lists, the checks of a save and the writing of the boxes into a row of
// KH_ACT.
#include "pipeline/recordwindow.h"
#include "platform/db/connection.h"

namespace pipeline {

class ActivityWindow : public RecordWindow {
public:
    // The editor captions its summary "活动主题" and shows the owner, disabled,
    // in place of the fourth custom field.
    ActivityWindow(const QString& kind, bool editor);

protected:
    virtual void Tixin_Click() = 0;
    virtual void command1_Click() = 0;

    // The activity types from `regarding` and the three priorities.
    void fillLists();
    // "活动概述不能为空", "客户名称不能为空"; false after showing the first that fails.
    bool summaryAndCustomerGiven();
    // The start and end time empty or a date ("开始时间不是一个合法的日期"),
    // and with the reminder ticked its time a date ("提醒时间非法"); false
    // after showing the first that fails.
    bool timesValid();
    // Whether every box it writes fits its column of KH_ACT; else the first
    // refusal is shown, naming the box ("联系人太长，最多50个字").
    bool boxesFit(bool isNew) const;
    // Writes the boxes into the pending row. A new row gets its owner and the
    // fourth custom field; an edit keeps both, clears the reminder time when
    // the reminder is off and keeps the customer when KH_ID is empty.
    void writeActivity(db::Recordset& row, bool isNew) const;
};

} // namespace pipeline
