#pragma once
// The SMS outbox: every message the system sends is one row of the table
// `sms` in the SMS database beside the main database file, which the separate
// sender program reads and sends. This is the one way a window adds a row.
#include "platform/db/connection.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace smsoutbox {

struct Message {
    QString numbers;                   // MobilNO: the destination numbers, stored as given
    QString content;                   // Content: the text, stored as given
    std::optional<QDateTime> sendAt;   // none: send at once; else the local time to send at
};

// Adds one row: MobilNO, Content, LmtSend ("1" at once, "0" timed), SendTime
// (timed rows only, "yyyyMMddHHmmss"), RecState "0", SMSCZZ the operator and
// RecTime today's short date. Returns whether the row was stored; when it was
// not (file, table or column missing, save refused) `failure` gets the
// database layer's text and nothing is left in the outbox.
bool queue(const Message& message, QString* failure = nullptr);

// Attaches the SMS database beside the main file to a connection opened with
// ConnectString, before its transaction starts, so that a row added with
// add() is committed together with what the transaction writes in the main
// file, or not at all. db::Error when the file is missing, is no database or
// holds no outbox with the columns above (Busy when another workstation
// holds it).
void attach(db::Connection& connection);
// Adds the row as queue() does to the outbox attached to the connection,
// inside the caller's transaction; db::Error when it cannot.
void add(db::Connection& connection, const Message& message);

// The send time as the sender reads it: 14 digits, local time.
QString sendTimeText(const QDateTime& when);

} // namespace smsoutbox
