#pragma once
// The caller-ID windows, made known to the window layer by name.
namespace callerid {
void defineWindows();
}
