#pragma once
// The calls of the day the monitor lists, newest first, with the customer of
// each calling number. A number's customer is looked up once and kept for the
// day: listing the day again after a call looks up only the numbers that
// called since, and ranks the customers added since against the numbers
// already known, so a listing does not cost more the more calls the day has.
#include "callerid/numbermatch.h"

#include "platform/db/variant.h"

#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace callerid {

struct DayCall {
    std::int64_t id = 0;
    QString callerId;
    db::Variant when;
    QString userNo;
    QString cidName;
    QString wavFile;
};

class DayCalls {
public:
    // Reads the day's calls and looks the customer of every number up again.
    void load(const QDate& day);
    // Reads the day's calls again, looking up only the numbers that called
    // since the last reading or are new to the list; another day or another
    // data file is loaded whole. Throws db::Error when a query fails: the
    // calls read by then stay, and the next reading looks everything up.
    void refresh(const QDate& day);

    const std::vector<DayCall>& calls() const { return calls_; }
    // The customer's name; nothing when no customer holds the number.
    std::optional<QString> customerOf(const QString& number) const;

private:
    void forget();
    void lookUp(db::Connection& connection, QSet<QString> numbers);

    std::vector<DayCall> calls_;
    // What the kept customers are valid for.
    QDate day_;
    QString file_;
    std::int64_t lastCallId_ = 0;       // the newest call looked up
    std::int64_t lastCustomerId_ = 0;   // the newest customer the lookups saw
    QSet<QString> lookedUp_;
    QHash<QString, numbermatch::Match> matches_;
    QHash<std::int64_t, QString> names_;
};

} // namespace callerid
