/* The screensaver of the catalogue benchmark. The catalogue reads only its
   version resource, so the program itself does nothing. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance, (void)previous, (void)commandLine, (void)show;
  return 0;
}
