#pragma once
// Running a risky reader in a process of its own. The reading library can
// crash or loop forever on a damaged file; in a child process that costs the
// program nothing but the answer.
#include <QByteArray>
#include <functional>
#include <optional>

namespace mdb::detail {

// Runs `work` in a child process, handing it the descriptor to write its
// answer to, and returns everything it wrote. Nothing when the child ends by
// a signal or with a failure status, or writes nothing for `silenceMs`
// milliseconds (it is then stopped).
std::optional<QByteArray> runIsolated(const std::function<void(int fd)>& work, int silenceMs);

} // namespace mdb::detail
