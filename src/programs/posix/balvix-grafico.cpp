#include "driver/program.h"
#include "platform/posix/posix_platform.h"

int main(int argc, char** argv) {
  balvix::PosixPlatform platform(argc, argv);
  return balvix::runChartProgram(platform);
}
