// WriteFileAtomically: temporary beside the target, fsync, rename. Temporaries are named
// "<file>.tmpXXXXXX". Their writer holds an exclusive flock on them from creation until after the
// rename, so a temporary that can be locked by someone else belongs to a save that died; the
// next successful save of the same file removes those. Saves may run in several processes
// (the program and zorkvm-cli) and on several threads at once.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/FileIO.h"

namespace zor {
namespace {

constexpr char kTempInfix[] = ".tmp";
constexpr char kTempPattern[] = "XXXXXX";  // mkostemp's six random characters
constexpr size_t kTempRandomChars = sizeof kTempPattern - 1;
// Links followed from the saved path to its final target: the kernel's own limit for a lookup.
constexpr int kMaxLinkHops = 40;
// Attempts to create a temporary when a cleaner of another save removed it before we locked it.
constexpr int kMaxTempAttempts = 3;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save of `path` must replace: the end of its chain of symbolic links (a link may
// point at a file that does not exist yet). Empty `failure` on success.
std::string FinalTarget(std::string path, std::string& failure) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string link(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
    if (n < 0 || static_cast<size_t>(n) == link.size()) {  // a full buffer may be cut short
      failure = SystemMessage(n < 0 ? errno : ENAMETOOLONG);
      return {};
    }
    link.resize(static_cast<size_t>(n));
    path = link.starts_with('/') ? link : FolderOf(path) + "/" + link;
  }
  failure = SystemMessage(ELOOP);
  return {};
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Creates and locks a temporary beside `target`; -1 with `failure` set when it cannot.
int CreateLockedTemporary(const std::string& target, std::string& temp, std::string& failure) {
  for (int attempt = 0; attempt < kMaxTempAttempts; ++attempt) {
    temp = target + kTempInfix + kTempPattern;
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
      failure = SystemMessage(errno);
      return -1;
    }
    // Between mkostemp and the lock a cleaner may take the new file for a dead one: keep it only
    // when its name still leads to it once we hold the lock.
    struct stat opened {};
    struct stat named {};
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 &&
        ::stat(temp.c_str(), &named) == 0 && SameFile(opened, named)) {
      return fd;
    }
    ::close(fd);
  }
  failure = "the temporary file kept disappearing";
  return -1;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Removes `name` in `folder_fd` when it is a temporary whose writer is gone (we get its lock).
void RemoveIfDead(int folder_fd, const char* name) {
  const int fd = ::openat(folder_fd, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return;
  struct stat opened {};
  struct stat named {};
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::fstatat(folder_fd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named)) {
    ::unlinkat(folder_fd, name, 0);
  }
  ::close(fd);  // releases the lock
}

void RemoveDeadTemporaries(const std::string& target) {
  DIR* folder = ::opendir(FolderOf(target).c_str());
  if (folder == nullptr) return;
  const std::string prefix = NameOf(target) + kTempInfix;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string_view name = entry->d_name;
    if (name.size() == prefix.size() + kTempRandomChars && name.starts_with(prefix)) {
      RemoveIfDead(::dirfd(folder), entry->d_name);
    }
  }
  ::closedir(folder);
}

}  // namespace

SaveResult WriteFileAtomically(const std::string& path, std::string_view bytes) {
  std::string failure;
  const std::string target = FinalTarget(path, failure);
  if (!failure.empty()) return {failure};
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // Renaming over a FIFO or device would replace something that is not ours to replace.
  if (exists && !S_ISREG(old.st_mode)) return {"not a regular file"};
  std::string temp;
  const int fd = CreateLockedTemporary(target, temp, failure);
  if (fd < 0) return {failure};
  ::fchmod(fd, exists ? (old.st_mode & 07777) : 0644);
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  // The lock is held through the rename, so no cleaner removes the temporary before it.
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  ::close(fd);
  if (error != 0) return {SystemMessage(error)};
  RemoveDeadTemporaries(target);
  return {};
}

}  // namespace zor
