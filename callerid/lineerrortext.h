#pragma once
// English texts of the telephony line error codes.
#include <QString>
#include <cstdint>

namespace dSrormat {

// The text of a line error code; "Unknown Error" for a code without one.
QString LineErrorText(std::uint32_t errorCode);

} // namespace dSrormat
