#pragma once
namespace sms {
// Makes this folder's windows known to the window layer by their names.
void defineWindows();
}
