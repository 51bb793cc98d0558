#include "support/SimProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "support/Wait.h"

namespace zor::test {
namespace {

// Starting the simulator paints its screen once; allow for a slow sanitizer build.
constexpr int kStartTimeoutMs = 20000;

sockaddr_in Endpoint(const std::string& address, uint16_t port) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  inet_pton(AF_INET, address.c_str(), &a.sin_addr);
  return a;
}

// The ports of the "device I (TYPE) listening on ADDRESS:PORT" lines, once the simulator has
// written its "ready" line; nullopt before that. The last line may still be half written (its
// port not yet there): that is "not ready yet", never an error.
std::optional<std::vector<uint16_t>> ReportedPorts(const std::string& stderr_path) {
  std::ifstream in(stderr_path);
  std::vector<uint16_t> ports;
  std::string line;
  while (std::getline(in, line)) {
    if (line == "zorkvm-sim: ready") return ports;
    const size_t colon = line.rfind(':');
    if (line.find(" listening on ") == std::string::npos || colon == std::string::npos) continue;
    uint16_t port = 0;
    const char* end = line.data() + line.size();
    const auto [at, error] = std::from_chars(line.data() + colon + 1, end, port);
    if (error != std::errc() || at != end) return std::nullopt;
    ports.push_back(port);
  }
  return std::nullopt;
}

}  // namespace

uint16_t PickFreePort(const std::string& address) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return 0;
  sockaddr_in a = Endpoint(address, 0);
  socklen_t length = sizeof a;
  uint16_t port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) == 0) {
    port = ntohs(a.sin_port);
  }
  close(fd);
  return port;
}

bool WaitForListening(const std::string& address, uint16_t port, int timeout_ms) {
  return WaitUntil(
      [&] {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a = Endpoint(address, port);
        const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
        close(fd);
        return ok;
      },
      timeout_ms);
}

SimProcess::SimProcess(SimProcessOptions options) : options_(std::move(options)) {
  if (options_.log_path.empty()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorkvm-sim-XXXXXX").string();
    if (mkdtemp(pattern.data())) own_log_dir_ = pattern;
    options_.log_path = own_log_dir_ + "/messages.jsonl";
  }
  Start();
}

SimProcess::~SimProcess() {
  process_.reset();
  std::error_code ignored;
  if (!own_log_dir_.empty()) std::filesystem::remove_all(own_log_dir_, ignored);
}

void SimProcess::Kill() {
  if (process_) process_->Stop(SIGKILL);
  process_.reset();
  ready_ = false;
}

std::string SimProcess::StderrPath() const { return options_.log_path + ".stderr"; }

bool SimProcess::Start() {
  Kill();
  std::vector<std::string> argv = {ZORKVM_TOOLS_DIR "/zorkvm-sim", "--address", options_.address, "--port",
                                   std::to_string(options_.port), "--log", options_.log_path};
  argv.insert(argv.end(), options_.extra_args.begin(), options_.extra_args.end());
  const std::string stderr_path = StderrPath();
  std::error_code ignored;
  std::filesystem::remove(stderr_path, ignored);
  process_ = std::make_unique<ChildProcess>(argv, "", stderr_path);
  std::optional<std::vector<uint16_t>> ports;
  ready_ = process_->Started() &&
           WaitUntil([&] { return !process_->Running() || (ports = ReportedPorts(stderr_path)).has_value(); },
                     kStartTimeoutMs) &&
           ports && !ports->empty() && process_->Running();
  if (ready_) {
    ports_ = *ports;
    options_.port = ports_.front();
  }
  return ready_;
}

std::string SimProcess::Messages() const {
  std::ifstream in(StderrPath());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<nlohmann::json> SimProcess::LogLines() const {
  std::vector<nlohmann::json> lines;
  std::ifstream in(options_.log_path);
  std::string line;
  while (std::getline(in, line)) {
    nlohmann::json j = nlohmann::json::parse(line, nullptr, false);
    if (!j.is_discarded()) lines.push_back(std::move(j));  // a line still being written is skipped
  }
  return lines;
}

std::vector<std::string> SimProcess::ReceivedTexts() const {
  std::vector<std::string> texts;
  for (const auto& j : LogLines()) {
    if (j.contains("text") && j["text"].is_string()) texts.push_back(j["text"].get<std::string>());
  }
  return texts;
}

}  // namespace zor::test
