#pragma once
// The one definition of every table and column of the system's databases, and
// the rows a fresh database starts with. Nothing else holds table definitions.
//
// Declared types (the database layer converts values by them):
//   INTEGER PRIMARY KEY AUTOINCREMENT  automatically numbered key
//   TEXT(n) COLLATE NOCASE              text of at most n characters
//   LONGTEXT COLLATE NOCASE             memo
//   LONG, DOUBLE, CURRENCY, DATETIME    long integer, double, money, date/time
#include <QStringList>

namespace schema {

// CREATE TABLE statements of the main database (hvcrm.hvd), then the INSERTs
// of its first rows: the settings row, the order counter, the operator
// "system" and the customer statuses.
QStringList mainDatabase();

// The statements run whenever the program opens an existing main database
// (at the start and at a workstation's login, after the tables exist): the
// lookup indexes, which a file made by an earlier build may lack. Each can
// run again on a file that holds its result. Every addition to what an
// existing file must gain belongs here.
QStringList mainOnOpen();

// Which call-log row each call waiting at a workstation became (its key,
// written with the row in one transaction): a call whose key is there was
// logged and is never logged again. Can run again on a file that holds it.
QString callKeys();

// CREATE TABLE statements of the SMS database (SMS.mdb): the outbox and the
// gateway account, with the account's one (empty) row.
QStringList smsDatabase();

} // namespace schema
