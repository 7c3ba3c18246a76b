#pragma once
// The calls and recording links the call monitor has not written into the
// data file yet, in the order they came. They wait in a small database file
// of this installation's own beside the program (data folder/waitingcalls.hvd),
// each added in a commit of its own, so that an exit, a kill or a power cut
// loses none; the call-log writer takes them from there into the data file
// each belongs to, and removes them in the same transaction.
#include "platform/db/connection.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace waitingcalls {

// The alias the writer attaches the file under, and the table of the entries.
inline constexpr const char* kAlias = "waiting";
inline constexpr const char* kTable = "entries";

struct Call {
    QDateTime when;
    QString number;                    // the cleaned number, whole
    std::optional<QString> contact;    // the matched contact's name; none: no contact holds the number
    bool lookedUp = true;              // false: the data file was busy, so the contact is still to be found
    QString operatorName;
    db::Variant area = db::Variant::null();   // null: the area could not be looked up
};

struct Recording {
    QString number;                    // the caller's number, whole: the newest call of it gets the name
    QString wavFile;
};

struct Entry {
    std::int64_t seq = 0;
    QString dataFile;                  // the connection string of the data file it goes to
    std::optional<Call> call;          // a call, or else
    Recording recording;               // a recording link
};

// The file's connection string.
QString connectString();
// Makes the file when it is missing, or holds no table (its making was
// interrupted); throws db::Error when it cannot.
void ensure();

// Each is durable once it returns; db::Error when the file refuses it.
void addCall(const QString& dataFile, const Call& call);
void addRecording(const QString& dataFile, const Recording& recording);

// Every entry, oldest first, read on a connection of the caller's (the writer's thread).
std::vector<Entry> all(db::Connection& store);
// The calls waiting (recording links not counted).
int calls();
// Whether a waiting link names this recording file.
bool namesRecording(const QString& wavFile);

} // namespace waitingcalls
