#pragma once
// Defines every window kind of the program, by name, in the window layer. The
// program does it at start and the tests before they run; a test that puts a
// stand-in in place of a window calls it again to restore the program's own.
void defineProgramWindows();
