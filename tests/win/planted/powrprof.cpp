// A stranger's powrprof.dll, put beside the win-tier test program: the
// program must never load it in place of the system's.
#include <windows.h>

extern "C" __declspec(dllexport) BOOLEAN WINAPI SetSuspendState(BOOLEAN, BOOLEAN, BOOLEAN) { return FALSE; }
extern "C" __declspec(dllexport) int PlantedLibrary() { return 1; }
