#pragma once
// Defines every window kind of the program, as the program does at start; a
// test that puts a stand-in in place of a window calls it again to restore
// the program's own.
void defineProgramWindows();
