#pragma once

// The few POSIX file steps the safe writers share: an owned descriptor,
// whole writes, folder syncs and the system's words for a failure.

#include <cstddef>
#include <string>

namespace vek {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (it can report a
  // delayed write error).
  bool close();

 private:
  int fd_;
};

// Writes all of data, going on after interrupted or partial writes.
bool writeAll(int fd, const char* data, std::size_t size);

// The folder (a folder part: empty for the working directory), opened for
// syncing and locking.
int openFolder(const std::string& folder);

// Makes the folder's entries (renames, new and removed names) durable.
bool syncFolder(const std::string& folder);

// The system's text for the current errno ("No space left on device").
std::string systemReason();

}  // namespace vek
