#pragma once
// What the call monitor's pop-ups for a caller share: a window of fixed size,
// closed by Esc, that shows the caller's number in large orange type
// (`ldhm`, labelled by Label1(16)) and below it the time of the call
// (Label3, labelled by Label1(0)).
#include "platform/ui/form.h"

namespace callerid {

class CallerNotice : public ui::Form {
    Q_OBJECT

protected:
    CallerNotice(const QString& name, double heightTwips);
};

} // namespace callerid
