#include "driver/program.h"
#include "platform/win32/win32_platform.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  balvix::Win32Platform platform;
  return balvix::runChartProgram(platform);
}
