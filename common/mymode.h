#pragma once
// The login state: process-wide values that live for the whole run and start empty.
#include <QString>
#include <cstdint>

namespace ui { class Form; }

namespace Mymode {

extern QString ConnectString;      // the main database; built by the login window
extern QString OperatorName;       // user_name of the logged-in operator
extern QString UserRights;         // "per=1;Uright=1;e_cust=1;..." built at login
extern std::int32_t CurrentRecordId;
extern QString CustListSql;        // the customer list last stored for export and printing
extern QString ReportSelector;     // "0" to "9"
extern ui::Form* ProductPickCaller; // the order window the product picker fills

// A right is held when UserRights contains its key followed by "1;" ("d_cust=1;").
bool hasRight(const QString& keyWithValue);

// Back to the state at program start (tests).
void reset();

} // namespace Mymode
