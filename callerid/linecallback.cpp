#include "callerid/linecallback.h"

#include "callerid/ctapiline.h"

#include <map>

namespace dSrormat {

namespace {

struct Registry {
    std::map<std::uint32_t, callerid::cTAPILine*> lines;
    std::uint32_t next = 1;
};

Registry& registry()
{
    static Registry live;
    return live;
}

} // namespace

std::uint32_t registerLine(callerid::cTAPILine* line)
{
    Registry& r = registry();
    const std::uint32_t instance = r.next++;
    if (r.next == 0) r.next = 1;
    r.lines[instance] = line;
    return instance;
}

void unregisterLine(std::uint32_t instance)
{
    registry().lines.erase(instance);
}

void LineCallback(std::uint32_t device, std::uint32_t message, std::uint32_t instance, std::uint32_t param1,
                  std::uint32_t param2, std::uint32_t param3)
{
    if (instance == 0) return;
    const auto found = registry().lines.find(instance);
    if (found == registry().lines.end()) return;
    found->second->OnLineMessage(device, message, param1, param2, param3);
}

} // namespace dSrormat
