// A process that a screensaver leaves behind: it keeps running, whatever
// the user does, until something ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Sleep(INFINITE);
  return 0;
}
