#pragma once

#include <sys/types.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace tavern {

// The whole content of a regular file, read once and not copied again.
class FileContent {
 public:
  enum class State { kRead, kMissing, kUnreadable };

  // Reads the file at `path`. A directory, a device or a pipe is unreadable;
  // opening never waits on a pipe.
  static FileContent Read(const std::string& path);

  State state() const { return state_; }
  std::string_view bytes() const { return {data_.get(), size_}; }
  // The permission bits and owner of the file that was read.
  mode_t mode() const { return mode_; }
  uid_t owner() const { return owner_; }
  gid_t group() const { return group_; }

 private:
  State state_ = State::kUnreadable;
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
};

// The file that `path` names once symbolic links are followed, so that a
// link keeps pointing at the file it names. `path` itself when it is no link.
std::string ResolveLinks(const std::string& path);

// Replaces the file at `path` with the pieces, one after the other: writes
// them to a new file in the same directory, flushes it to disk and renames
// it over `path`. `like`, when it was read, gives the permission bits and
// owner to keep. False on any failure, or when the file that was read may
// not be written, with the old file untouched and the new one removed.
bool ReplaceFile(const std::string& path, std::initializer_list<std::string_view> pieces,
                 const FileContent& like);

}  // namespace tavern
