#include "driver/program.h"
#include "platform/posix/posix_platform.h"

#include <csignal>

int main(int argc, char** argv) {
  // Past a file size limit a write fails, and the file is told incomplete,
  // instead of the signal ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  balvix::PosixPlatform platform(argc, argv);
  return balvix::runChartProgram(platform);
}
