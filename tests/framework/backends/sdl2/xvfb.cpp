#include "xvfb.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

extern char** environ;

namespace orv::testing {

namespace {

std::string FindOnPath(const std::string& Name) {
  const char* Path = std::getenv("PATH");
  std::stringstream Dirs(Path ? Path : "/usr/bin:/bin");
  std::string Dir;
  while (std::getline(Dirs, Dir, ':')) {
    const std::string Candidate = Dir + "/" + Name;
    if (!Dir.empty() && access(Candidate.c_str(), X_OK) == 0) return Candidate;
  }
  return {};
}

// Paths are formatted into buffers: GCC 12 warns falsely about some
// std::string concatenations at -O3.
std::string Formatted(const char* Pattern, int N) {
  char Buf[64];
  std::snprintf(Buf, sizeof(Buf), Pattern, N);
  return Buf;
}

bool DisplayInUse(int N) {
  namespace fs = std::filesystem;
  std::error_code Ec;
  return fs::exists(Formatted("/tmp/.X%d-lock", N), Ec) || fs::exists(Formatted("/tmp/.X11-unix/X%d", N), Ec);
}

}  // namespace

bool TXvfb::Start(std::string& Why) {
  if (const char* D = std::getenv("DISPLAY"); D && *D) return true;
  const std::string Server = FindOnPath("Xvfb");
  if (Server.empty()) {
    Why = "no DISPLAY and no Xvfb on PATH";
    return false;
  }
  const int First = 99 + static_cast<int>(getpid() % 100);
  for (int N = First; N < First + 20; ++N) {
    if (DisplayInUse(N)) continue;
    const std::string Display = Formatted(":%d", N);
    std::vector<std::string> Args{Server, Display, "-screen", "0", "640x480x24", "-nolisten", "tcp"};
    std::vector<char*> Argv;
    for (std::string& A : Args) Argv.push_back(A.data());
    Argv.push_back(nullptr);
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_addopen(&Actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&Actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t Pid = -1;
    const int Rc = posix_spawn(&Pid, Server.c_str(), &Actions, nullptr, Argv.data(), environ);
    posix_spawn_file_actions_destroy(&Actions);
    if (Rc != 0) {
      Why = "cannot start Xvfb";
      return false;
    }
    // Ready once its socket appears; a server that exits lost the race for
    // the display number.
    const std::string Socket = Formatted("/tmp/.X11-unix/X%d", N);
    for (int Tries = 0; Tries < 200; ++Tries) {
      int Status = 0;
      if (waitpid(Pid, &Status, WNOHANG) == Pid) {
        Pid = -1;
        break;
      }
      if (access(Socket.c_str(), F_OK) == 0) {
        FPid = Pid;
        setenv("DISPLAY", Display.c_str(), 1);
        return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (Pid > 0) {
      kill(Pid, SIGTERM);
      waitpid(Pid, nullptr, 0);
    }
  }
  Why = "Xvfb did not start";
  return false;
}

void TXvfb::Stop() {
  if (FPid <= 0) return;
  kill(FPid, SIGTERM);
  waitpid(FPid, nullptr, 0);
  FPid = -1;
  unsetenv("DISPLAY");
}

}  // namespace orv::testing
