#pragma once
namespace mainwin {
// Makes this folder's windows known to the window layer by their names.
void defineWindows();
}
