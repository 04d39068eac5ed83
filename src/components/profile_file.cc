#include "components/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <new>

namespace tavern {
namespace {

// Reads up to `size` bytes; gives how many it got, or -1.
ssize_t ReadFully(int fd, char* data, std::size_t size) {
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = read(fd, data + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return static_cast<ssize_t>(got);
}

bool WriteFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Creates a file of a new name beside `path`, with the permissions a new file
// gets under the umask. Gives its descriptor, or -1.
int CreateSibling(const std::string& path, std::string& name) {
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string base = path.substr(slash == std::string::npos ? 0 : slash + 1);
  const auto seed =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (unsigned long long attempt = 0; attempt < 100; ++attempt) {
    name = directory + "." + base + ".new-" + std::to_string(getpid()) + "-" +
           std::to_string((seed + attempt * 7919) % 1000000007ULL);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Flushes the directory's entries, so that the rename outlasts a crash.
void SyncDirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string directory =
      slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Writes the new file's content and its permissions, and flushes it.
bool FillFile(int fd, std::initializer_list<std::string_view> pieces, const FileContent& like) {
  if (like.state() == FileContent::State::kRead) {
    struct stat status;
    if (fstat(fd, &status) != 0) return false;
    if (status.st_uid != like.owner() || status.st_gid != like.group()) {
      // Only a privileged writer can give the file back to its owner; for
      // anyone else the file becomes theirs, as any rewrite would make it.
      [[maybe_unused]] const int given_back = fchown(fd, like.owner(), like.group());
    }
    if (fchmod(fd, like.mode() & 07777) != 0) return false;
  }
  for (const std::string_view piece : pieces) {
    if (!WriteFully(fd, piece)) return false;
  }
  return fsync(fd) == 0;
}

}  // namespace

FileContent FileContent::Read(const std::string& path) {
  FileContent content;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    if (errno == ENOENT) content.state_ = State::kMissing;
    return content;
  }
  struct stat status;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    try {
      const auto size = static_cast<std::size_t>(status.st_size);
      content.data_ = std::make_unique_for_overwrite<char[]>(size == 0 ? 1 : size);
      const ssize_t got = ReadFully(fd, content.data_.get(), size);
      if (got >= 0) {
        content.size_ = static_cast<std::size_t>(got);
        content.mode_ = status.st_mode;
        content.owner_ = status.st_uid;
        content.group_ = status.st_gid;
        content.state_ = State::kRead;
      }
    } catch (const std::bad_alloc&) {
      content.data_.reset();
    }
  }
  close(fd);
  return content;
}

std::string ResolveLinks(const std::string& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

bool ReplaceFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                 const FileContent& like) {
  // A file its owner made read-only stays as it is, though its directory
  // would let a new one take its place.
  if (like.state() == FileContent::State::kRead &&
      faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
    return false;
  }
  std::string temporary;
  const int fd = CreateSibling(path, temporary);
  if (fd < 0) return false;
  const bool filled = FillFile(fd, pieces, like);
  const bool closed = close(fd) == 0;
  if (!filled || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  SyncDirectoryOf(path);
  return true;
}

}  // namespace tavern
