// Hookfast_EN.exe, Hookfast_NL.exe, Hookfast_FR.exe: the same program, each linked with one
// edition's text table.
#include <windows.h>

#include "ui/win32/ProgramMain.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return hf::RunHookfast(instance); }
