#include "scale/ProcessSample.h"

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

void ReadStatus(const std::filesystem::path& proc, ProcessSample& s) {
  std::ifstream status(proc / "status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") status >> s.rss_kb;
    if (key == "Threads:") status >> s.threads;
    status.ignore(1 << 12, '\n');
  }
}

// utime + stime of a process or one of its threads, in nanoseconds; fields 14 and 15 of its
// stat line, counted after the command name's closing parenthesis (the name may hold spaces).
int64_t CpuNs(const std::filesystem::path& task) {
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

int64_t NetworkThreadsCpuNs(const std::filesystem::path& proc, pid_t pid) {
  const std::string main_tid = std::to_string(pid);  // the main thread runs the GUI
  int64_t ns = 0;
  std::error_code ec;
  for (const auto& task : std::filesystem::directory_iterator(proc / "task", ec)) {
    if (task.path().filename() == main_tid) continue;
    std::ifstream comm(task.path() / "comm");
    std::string name;
    std::getline(comm, name);
    if (name.rfind(kWorkerPrefix, 0) == 0) continue;
    ns += CpuNs(task.path());
  }
  return ns;
}

}  // namespace

void SetProcessFigures(const ProcessSample& before, const ProcessSample& after, ScaleRow& row) {
  const int64_t wall_ns = after.wall_ns - before.wall_ns;
  row.seconds = static_cast<double>(wall_ns) / 1e9;
  row.cpu_percent = wall_ns > 0 ? 100.0 * static_cast<double>(after.cpu_ns - before.cpu_ns) / static_cast<double>(wall_ns) : 0;
  row.rss_mb = static_cast<double>(after.rss_kb) / 1024.0;
  row.threads = after.threads;
}

ProcessSample SampleProcess(pid_t pid) {
  const std::filesystem::path proc = "/proc/" + std::to_string(pid);
  ProcessSample s;
  s.wall_ns = MonotonicNs();
  s.cpu_ns = CpuNs(proc);
  ReadStatus(proc, s);
  s.network_cpu_ns = NetworkThreadsCpuNs(proc, pid);
  return s;
}

}  // namespace zor::bench
