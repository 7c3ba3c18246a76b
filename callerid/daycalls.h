#pragma once
// The calls of the day the monitor lists, newest first, with the customer of
// each calling number. Which customer holds a number is looked up once and
// kept for the day: listing the day again after a call looks up in full only
// the numbers that called since; for the others it reads again the customers
// they were found in, the customers added since and those holding one of
// them whole, so that each row shows what a reading of the whole day would
// (a stranger's number typed into a customer, a number a customer no longer
// holds), without the cost of looking every number up again. The customers'
// names are read with every listing. The monitor's reader thread alone uses it.
#include "callerid/numbermatch.h"

#include "platform/db/connection.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QSet>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace callerid {

struct DayCall {
    std::int64_t id = 0;
    QString callerId;
    QString time;                      // as the list shows it, "yyyy/MM/dd HH:mm:ss"; empty for none
    QString userNo;
    QString cidName;
    QString wavFile;
    std::optional<QString> customer;   // the name of the customer holding the number
};

class DayCalls {
public:
    // The day's calls of the connection's file (named by `dataFile`),
    // newest first, with the customer of every number looked up again.
    std::vector<DayCall> load(db::Connection& connection, const QString& dataFile, const QDate& day);
    // The day's calls again, looking up in full only the numbers that called
    // since the last reading or are new to the list; another day or another
    // data file is loaded whole.
    std::vector<DayCall> refresh(db::Connection& connection, const QString& dataFile, const QDate& day);
    // Both throw db::Error when the calls or their customers cannot be read
    // (a call is never listed without the customer it has); the next reading
    // then looks everything up.

private:
    void forget();
    std::vector<DayCall> callsOf(db::Connection& connection, const QDate& day);
    void lookUp(db::Connection& connection, QSet<QString> numbers);
    void bringUpToDate(db::Connection& connection, QSet<QString>& numbers, std::int64_t newest);
    void nameCustomers(db::Connection& connection, std::vector<DayCall>& calls) const;

    // A number as the day keeps it: its UTF-8 bytes, held in the key itself
    // for a number of up to 15 bytes. The day's numbers then take no memory
    // block each that would stay among the windows opened in between.
    struct NumberKey {
        std::string utf8;
        explicit NumberKey(const QString& number) : utf8(number.toStdString()) {}
        QString number() const { return QString::fromStdString(utf8); }
        friend bool operator==(const NumberKey&, const NumberKey&) = default;
        friend size_t qHash(const NumberKey& key, size_t seed = 0)
        {
            return qHash(QByteArrayView(key.utf8.data(), static_cast<qsizetype>(key.utf8.size())), seed);
        }
    };

    // What the kept customers are valid for.
    QDate day_;
    QString file_;
    std::int64_t lastCallId_ = 0;       // the newest call looked up
    std::int64_t lastCustomerId_ = 0;   // the newest customer the lookups saw
    // Every number looked up, with the customer holding it best, if any.
    QHash<NumberKey, std::optional<numbermatch::Match>> customers_;
    // The time shown for each stored time read (keyed on its stored bytes):
    // a time is made from its stored text once, not at every listing.
    QHash<QByteArray, QString> times_;
};

} // namespace callerid
