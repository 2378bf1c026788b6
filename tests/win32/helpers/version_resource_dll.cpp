// A library with nothing in it but what its resource script gives it: the version
// data files for the file-version tests.
#include <windows.h>

extern "C" __declspec(dllexport) int qvVersionResourceMarker() { return 1; }
