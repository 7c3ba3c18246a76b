#pragma once
// First start: creates the data folder's databases with every table and the
// first rows when they are missing, and the recordings folder; brings files
// made by an earlier build up to date. It waits for no other workstation
// (nothing is on screen yet): a file held now is brought up to date by the
// login, whose window shows the wait.
namespace firststart {
void ensureDatabases();
}
