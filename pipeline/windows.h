#pragma once

namespace pipeline {
// Makes the activity, opportunity and service windows known to the window layer.
void defineWindows();
}
