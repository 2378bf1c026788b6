/* The stub's own start in place of the C runtime's (crt2.o, which the link finds here
 * first). The system calls WinMainCRTStartup with nothing set up, and the stub needs
 * nothing set up: it reads its command line itself, uses no arguments, locales, floating-
 * point state, thread-local data or static constructors, and ends with ExitProcess. The
 * C library's DLL initialises itself when it is loaded. That leaves out about 10 KB of
 * start-up code and its imports. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

/* The linker names the runtime's relocator of data imported from DLLs. The stub imports
 * no data, so there is nothing to relocate; the stub's check reads the link map to see
 * that the list of such relocations stays empty. */
void _pei386_runtime_relocator(void) {}

/* Functions to run at exit: ExitProcess runs none. */
int atexit(void (*function)(void)) {
  (void)function;
  return 0;
}

void WinMainCRTStartup(void) {
  ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWDEFAULT));
}
