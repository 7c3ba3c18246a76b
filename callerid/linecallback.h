#pragma once
// The telephony callback and the registry of live line objects it routes
// through. A line is opened with its object's registry number as callback
// instance, never with the object's address, so a message that arrives after
// the object is gone finds no entry and is dropped.
#include <cstdint>

namespace callerid { class cTAPILine; }

namespace dSrormat {

// Called by the telephony service with a line message; passes it to the live
// line object the instance names. Instance 0 and unknown instances are ignored.
void LineCallback(std::uint32_t device, std::uint32_t message, std::uint32_t instance, std::uint32_t param1,
                  std::uint32_t param2, std::uint32_t param3);

// A new instance number for a line object (never 0, never given twice).
std::uint32_t registerLine(callerid::cTAPILine* line);
void unregisterLine(std::uint32_t instance);

} // namespace dSrormat
