#pragma once
namespace sales {
// Makes this folder's windows known to the window layer by their names.
void defineWindows();
}
