#pragma once
// What the new-service and the service editing windows share: their boxes,
// the lists, the checks of a save and the writing of the boxes into a row of
// `service`.
#include "pipeline/recordwindow.h"
#include "platform/db/connection.h"

namespace pipeline {

class ServiceWindow : public RecordWindow {
public:
    // The editor shows the owner in place of the fourth custom field.
    ServiceWindow(const QString& kind, bool editor);

protected:
    virtual void service_end_Click() {}
    virtual void command1_Click() = 0;

    // The service types from `servertype` and the product names.
    void fillLists();
    // Summary, customer name, contact and type given, each refused with its
    // message; false after the first that fails.
    bool requiredBoxesGiven();
    // A feedback or end time that is not blank must be a date
    // ("反馈时间非法", "服务结束时间非法", in this order).
    bool timesValid();
    // Whether every box it writes fits its column of `service`; else the
    // first refusal is shown, naming the box ("联系人太长，最多50个字").
    bool boxesFit(bool isNew) const;
    // Writes the boxes into the pending row. A blank time sets nothing: a new
    // row has none, an edit keeps the stored one. A new row gets its owner and
    // the fourth custom field; an edit keeps both and keeps the customer when
    // KH_ID is empty.
    void writeService(db::Recordset& row, bool isNew) const;
};

} // namespace pipeline
