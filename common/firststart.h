#pragma once
// First start: creates the data folder's databases with every table and the
// first rows when they are missing, and the recordings folder.
namespace firststart {
void ensureDatabases();
}
