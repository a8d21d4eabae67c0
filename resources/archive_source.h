#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vek {

// Where an archive's bytes come from: a file read on demand, or a copy in
// memory. The archive asks only for ranges it has checked against size().
class ArchiveSource {
 public:
  virtual ~ArchiveSource() = default;
  virtual std::uint64_t size() const = 0;
  // Brings size() up to date with the bytes behind it; false when they are gone.
  virtual bool refresh() { return true; }
  // Copies length bytes from offset into out; false when they are not all there.
  virtual bool readAt(std::uint64_t offset, void* out, std::size_t length) = 0;
};

class MemoryArchiveSource : public ArchiveSource {
 public:
  MemoryArchiveSource(const void* data, std::size_t size);
  std::uint64_t size() const override { return bytes_.size(); }
  bool readAt(std::uint64_t offset, void* out, std::size_t length) override;

 private:
  std::vector<unsigned char> bytes_;
};

// A regular file opened for reading only, so an archive installed where the
// user may not write still opens. Reads go straight to the file, without a
// buffer that could hold bytes from before a later change.
class FileArchiveSource : public ArchiveSource {
 public:
  // Null when the file cannot be opened for reading or is not a regular file.
  static std::unique_ptr<FileArchiveSource> open(const std::string& path);
  ~FileArchiveSource() override;
  FileArchiveSource(const FileArchiveSource&) = delete;
  FileArchiveSource& operator=(const FileArchiveSource&) = delete;

  // The size when last measured.
  std::uint64_t size() const override { return size_; }
  bool refresh() override;
  bool readAt(std::uint64_t offset, void* out, std::size_t length) override;

 private:
  explicit FileArchiveSource(int fd) : fd_(fd) {}
  int fd_;
  std::uint64_t size_ = 0;
};

}  // namespace vek
