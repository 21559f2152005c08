#pragma once
// Running a piece of a test in a child process whose address space can be
// capped just above what it uses, so running out of memory is tried without
// exhausting the machine. The sanitizer's shadow memory cannot live under
// such a cap, so sanitized builds skip these tests.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#if defined(__SANITIZE_ADDRESS__)
#define ORV_MEMORY_LIMIT_UNAVAILABLE 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORV_MEMORY_LIMIT_UNAVAILABLE 1
#endif
#endif

namespace orv::testing_support {

// Caps this process's address space at what it uses now plus Headroom bytes.
inline bool CapAddressSpace(long Headroom) {
  std::ifstream Statm("/proc/self/statm");
  long Pages = 0;
  Statm >> Pages;
  const rlimit Limit{static_cast<rlim_t>(Pages * sysconf(_SC_PAGESIZE) + Headroom), RLIM_INFINITY};
  return setrlimit(RLIMIT_AS, &Limit) == 0;
}

// Runs Body in a forked child and returns its result (the child's exit
// code), or -1 when the child did not exit normally.
template <typename TBody>
int RunInChild(TBody&& Body) {
  const pid_t Child = fork();
  if (Child < 0) return -1;
  if (Child == 0) _exit(Body());
  int Status = 0;
  if (waitpid(Child, &Status, 0) != Child || !WIFEXITED(Status)) return -1;
  return WEXITSTATUS(Status);
}

}  // namespace orv::testing_support
