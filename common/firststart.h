#pragma once
// First start: creates the data folder's databases with every table and the
// first rows when they are missing, and the recordings folder; brings files
// made by an earlier build up to date.
namespace firststart {
void ensureDatabases();
}
