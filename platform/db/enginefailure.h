#pragma once
// The words for a failure SQLite reports in its own English: what went wrong
// and what the operator can do about it, in Chinese, with the engine's text
// kept after them for whoever looks into it. Internal to the database layer:
// every db::Error built from the engine's message goes through it, so every
// window's failure text reads the same.
#include <QString>

namespace db::detail {

// `code` is the engine's primary result code, `engineText` its message (with
// any context the layer adds). A failure without words of its own is the
// engine's text alone.
QString engineFailureText(int code, const QString& engineText);

} // namespace db::detail
