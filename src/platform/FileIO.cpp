#include "platform/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zor {

std::string SystemMessage(int error_number) {
  char buffer[256];
  // GNU strerror_r: thread-safe, returns either `buffer` or a static text.
  return ::strerror_r(error_number, buffer, sizeof buffer);
}

std::string LoadResult::Reason() const {
  switch (problem) {
    case ReadProblem::None:
      return {};
    case ReadProblem::Missing:
      return "missing";
    case ReadProblem::NotRegularFile:
      return "not a regular file";
    case ReadProblem::TooLarge:
      return "too large";
    case ReadProblem::Unreadable:
      return "unreadable: " + system_message;
    case ReadProblem::ForeignTitle:
      return "foreign title";
    case ReadProblem::Damaged:
      return "damaged at byte " + std::to_string(stopped_at_byte);
  }
  return {};
}

namespace {

LoadResult OpenFailure(int error_number) {
  if (error_number == ENOENT || error_number == ENOTDIR) return {ReadProblem::Missing, 0, {}};
  return {ReadProblem::Unreadable, 0, SystemMessage(error_number)};
}

LoadResult ReadOpenFile(int fd, size_t max_bytes, std::string& bytes) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return OpenFailure(errno);
  if (!S_ISREG(st.st_mode)) return {ReadProblem::NotRegularFile, 0, {}};
  if (static_cast<uint64_t>(st.st_size) > max_bytes) return {ReadProblem::TooLarge, 0, {}};
  bytes.assign(static_cast<size_t>(st.st_size), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return OpenFailure(errno);
    if (n == 0) break;  // the file shrank while we read it: keep what we have
    done += static_cast<size_t>(n);
  }
  bytes.resize(done);
  return {};
}

}  // namespace

LoadResult ReadWholeFile(const std::string& path, size_t max_bytes, std::string& bytes) {
  bytes.clear();
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer for ever. It has
  // no effect on regular files, the only kind read past fstat.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return OpenFailure(errno);
  LoadResult result = ReadOpenFile(fd, max_bytes, bytes);
  ::close(fd);
  if (!result) bytes.clear();
  return result;
}

}  // namespace zor
