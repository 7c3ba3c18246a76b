#pragma once
// The calls and recording links the call monitor has not written into the
// data file yet, in the order they came. They wait in a small database file
// of this installation's own beside the program (data folder/waitingcalls.hvd),
// each added in a commit of its own, so that an exit, a kill or a power cut
// loses none; the call-log writer takes them from there into the data file
// each belongs to, and they leave the store only once that file has
// committed them.
//
// Each entry carries a key of its own, unique across workstations and runs.
// A call's key is written with its call-log row in the data file's own
// transaction, so an entry whose key the file already holds was logged (the
// program ended between that commit and the entry's removal) and is dropped:
// every call is logged once, whichever workstation opens the file first after
// a kill. No transaction spans the store and the data file, which other
// workstations cannot reach together.
//
// The store keeps what waits in memory beside the file, so counting it asks
// the file nothing, and a file that went missing, was emptied or is no
// database any more is made anew with what waits: a damaged one is first set
// aside under another name for inspection. Nothing that waits is lost then.
#include "platform/db/connection.h"

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace waitingcalls {

struct Call {
    QDateTime when;
    QString number;                    // the cleaned number, whole
    std::optional<QString> contact;    // the matched contact's name; none: no contact holds the number
    bool lookedUp = true;              // false: the data file was busy, so the contact is still to be found
    QString operatorName;
    db::Variant area = db::Variant::null();   // null: the writer looks the area up
};

struct Recording {
    QString number;                    // the caller's number, whole
    QString wavFile;
    // The key of the call it belongs to; empty (an entry of an earlier
    // build): the newest call of the number gets the name.
    QString callKey;
};

struct Entry {
    std::int64_t seq = 0;              // its place in the store (0 until it is there)
    QString dataFile;                  // the connection string of the data file it goes to
    std::optional<Call> call;          // a call, or else
    Recording recording;               // a recording link
    QString key;                       // given by Store::add when empty
};

// A new key: unique across workstations and runs.
QString newKey();

class Store {
public:
    explicit Store(const QString& path);
    ~Store();

    QString path() const { return path_; }

    // Opens the file, making it when missing or empty and setting a damaged
    // one aside, and takes in what an earlier run left waiting. db::Error when
    // the folder refuses (the store then works from memory and tries again
    // with each entry).
    void open();
    // Ends the run: what waits stays in the file.
    void close();

    // The entry waits from now on; it is on the disk when this returns
    // without db::Error. Refused, it still waits (in memory), and the file
    // is tried again with the next entry or retry(). Returns its key.
    QString add(Entry entry);
    // Writes what the file could not take yet; db::Error when it still cannot.
    void retry();
    // Every entry waiting, oldest first.
    std::vector<Entry> waiting() const;
    // The entries were written into their data file: they leave the store,
    // its memory with remove() (they are no longer counted or offered) and
    // then its file with deleteStored(). Left in the file (a kill in
    // between), they are offered again and dropped by their keys.
    void remove(const std::vector<QString>& keys);
    void deleteStored(const std::vector<QString>& keys);

    int calls() const;                              // calls waiting (links not counted)
    bool unstored() const;                          // some wait in memory only
    bool namesRecording(const QString& wavFile) const;
    // What the store had to do with its file this run, for the operator
    // (empty when nothing), and why the file refuses entries now.
    QString notice() const;
    QString failure() const;

private:
    void openFile();
    void recover();
    void makeAnew(const QString& notice);
    void storeUnstored();
    void insert(Entry& entry);

    const QString path_;
    mutable std::mutex mutex_;
    std::unique_ptr<db::Connection> file_;
    std::vector<Entry> entries_;      // oldest first; seq 0: not in the file yet
    QString notice_;
    QString failure_;
};

} // namespace waitingcalls
