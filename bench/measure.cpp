// Runs a command once and prints its wall-clock time in seconds, its peak
// resident memory in kilobytes and the processor time it used (user and
// system, in seconds), as the system counted them for that child alone. The
// command's standard output is discarded.
//
// usage: measure PROGRAM [ARGUMENTS...]    prints "SECONDS KILOBYTES CPU_SECONDS"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: measure PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = ::fork();
  if (pid < 0) {
    std::perror("measure: fork");
    return 1;
  }
  if (pid == 0) {
    int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) {
      ::dup2(null, STDOUT_FILENO);
    }
    ::execvp(argv[1], argv + 1);
    std::perror("measure: exec");
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) {
    std::perror("measure: wait4");
    return 1;
  }
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  std::printf("%.6f %ld %.6f\n", elapsed.count(), usage.ru_maxrss,
              seconds(usage.ru_utime) + seconds(usage.ru_stime));
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
