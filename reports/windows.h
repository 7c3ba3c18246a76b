#pragma once
namespace reports {
// Makes this folder's windows known to the window layer by their names.
void defineWindows();
}
