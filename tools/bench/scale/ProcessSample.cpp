#include "scale/ProcessSample.h"

#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/Clock.h"

namespace zor::bench {
namespace {

// App workers name their threads "worker App<N>".
constexpr char kWorkerPrefix[] = "worker";

int64_t TimevalNs(const timeval& t) { return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_usec * 1000; }

void ReadStatus(ProcessSample& s) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") status >> s.rss_kb;
    if (key == "Threads:") status >> s.threads;
    status.ignore(1 << 12, '\n');
  }
}

// utime + stime of one thread, in nanoseconds; fields 14 and 15 of its stat line, counted after
// the command name's closing parenthesis (the name itself may hold spaces).
int64_t ThreadCpuNs(const std::filesystem::path& task) {
  std::ifstream stat(task / "stat");
  std::string line;
  std::getline(stat, line);
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream fields(line.substr(close + 2));
  std::string skipped;
  for (int field = 3; field < 14; ++field) fields >> skipped;
  int64_t utime = 0;
  int64_t stime = 0;
  fields >> utime >> stime;
  return (utime + stime) * (1000000000 / sysconf(_SC_CLK_TCK));
}

int64_t NetworkThreadsCpuNs() {
  const std::string gui_tid = std::to_string(getpid());  // the main thread runs the GUI
  int64_t ns = 0;
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task", ec)) {
    if (task.path().filename() == gui_tid) continue;
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name.rfind(kWorkerPrefix, 0) == 0) continue;
    ns += ThreadCpuNs(task.path());
  }
  return ns;
}

}  // namespace

ProcessSample SampleProcess() {
  ProcessSample s;
  s.wall_ns = MonotonicNs();
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  s.cpu_ns = TimevalNs(usage.ru_utime) + TimevalNs(usage.ru_stime);
  ReadStatus(s);
  s.network_cpu_ns = NetworkThreadsCpuNs();
  return s;
}

}  // namespace zor::bench
