#include "resources/png_writer.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace vek {

struct PngWriter::Stream {
  std::string path;
  std::string tempPath;
  std::FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;
  int width = 0;
  int height = 0;
  int rows = 0;
  char libraryError[200] = "";
  int systemError = 0;  // errno of a failed write, 0 for none

  std::string failure() const {
    return "cannot write " + path + ": " +
           (systemError ? std::strerror(systemError) : std::string(libraryError));
  }
};

namespace {

std::string folderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A hidden name of this process in the target's folder, created afresh.
int createTempFile(const std::string& folder, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = folder + ".vekpng-" + std::to_string(::getpid()) + "-" +
               std::to_string(counter++) + ".tmp";
    int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// libpng reports errors by calling this, which must not return: the
// message is kept and control goes back to the setjmp of the call.
void onPngError(png_structp png, png_const_charp message) {
  auto* stream = static_cast<PngWriter::Stream*>(png_get_error_ptr(png));
  std::snprintf(stream->libraryError, sizeof stream->libraryError, "%s", message);
  png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

void writeBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* stream = static_cast<PngWriter::Stream*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, stream->file) != length) {
    stream->systemError = errno ? errno : EIO;
    png_error(png, "write failed");
  }
}

void flushBytes(png_structp png) {
  auto* stream = static_cast<PngWriter::Stream*>(png_get_io_ptr(png));
  std::fflush(stream->file);
}

// The calls into libpng, each behind its own setjmp and holding nothing
// that a longjmp would skip the destruction of.
bool startPng(PngWriter::Stream* stream, int compressionLevel, bool rowFilters) {
  if (setjmp(png_jmpbuf(stream->png))) return false;
  png_set_write_fn(stream->png, stream, writeBytes, flushBytes);
  png_set_compression_level(stream->png, compressionLevel);
  if (!rowFilters) png_set_filter(stream->png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_IHDR(stream->png, stream->info, static_cast<png_uint_32>(stream->width),
               static_cast<png_uint_32>(stream->height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(stream->png, stream->info);
  return true;
}

bool writePngRows(PngWriter::Stream* stream, const unsigned char* rows, int count) {
  if (setjmp(png_jmpbuf(stream->png))) return false;
  std::size_t rowBytes = static_cast<std::size_t>(stream->width) * 3;
  for (int i = 0; i < count; ++i) png_write_row(stream->png, rows + i * rowBytes);
  return true;
}

bool endPng(PngWriter::Stream* stream) {
  if (setjmp(png_jmpbuf(stream->png))) return false;
  png_write_end(stream->png, nullptr);
  return true;
}

void syncFolder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

PngWriter::PngWriter() = default;

PngWriter::~PngWriter() { abandon(); }

int PngWriter::rowsWritten() const { return stream_ ? stream_->rows : 0; }

void PngWriter::abandon() {
  if (!stream_) return;
  if (stream_->png) png_destroy_write_struct(&stream_->png, &stream_->info);
  if (stream_->file) std::fclose(stream_->file);
  if (!stream_->tempPath.empty()) ::unlink(stream_->tempPath.c_str());
  stream_.reset();
}

bool PngWriter::open(const std::string& path, int width, int height, std::string& reason,
                     int compressionLevel, bool rowFilters) {
  abandon();
  if (width < 1 || height < 1 || width > 1000000 || height > 1000000) {
    reason = "cannot write " + path + ": a picture of " + std::to_string(width) + " x " +
             std::to_string(height) + " pixels";
    return false;
  }
  stream_ = std::make_unique<Stream>();
  stream_->path = path;
  stream_->width = width;
  stream_->height = height;
  int fd = createTempFile(folderOf(path), stream_->tempPath);
  if (fd < 0) {
    reason = "cannot write " + path + ": " + std::strerror(errno);
    stream_->tempPath.clear();
    abandon();
    return false;
  }
  stream_->file = ::fdopen(fd, "wb");
  if (!stream_->file) ::close(fd);
  if (stream_->file) {
    stream_->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, stream_.get(), onPngError,
                                           onPngWarning);
  }
  if (stream_->png) stream_->info = png_create_info_struct(stream_->png);
  if (!stream_->info || !startPng(stream_.get(), compressionLevel, rowFilters)) {
    reason = stream_->info ? stream_->failure() : "cannot write " + path + ": out of memory";
    abandon();
    return false;
  }
  return true;
}

bool PngWriter::writeRows(const unsigned char* rows, int count, std::string& reason) {
  if (!stream_) {
    reason = "no PNG file is open";
    return false;
  }
  if (count < 0 || count > stream_->height - stream_->rows) {
    reason = "cannot write " + stream_->path + ": more rows than its height of " +
             std::to_string(stream_->height);
    return false;
  }
  if (!writePngRows(stream_.get(), rows, count)) {
    reason = stream_->failure();
    abandon();
    return false;
  }
  stream_->rows += count;
  return true;
}

bool PngWriter::finish(std::string& reason) {
  if (!stream_) {
    reason = "no PNG file is open";
    return false;
  }
  Stream& s = *stream_;
  if (s.rows != s.height) {
    reason = "cannot write " + s.path + ": " + std::to_string(s.rows) + " of " +
             std::to_string(s.height) + " rows given";
    abandon();
    return false;
  }
  bool written = endPng(&s);
  if (written && (std::fflush(s.file) != 0 || ::fsync(::fileno(s.file)) != 0)) {
    s.systemError = errno;
    written = false;
  }
  png_destroy_write_struct(&s.png, &s.info);
  if (std::fclose(s.file) != 0 && written) {
    s.systemError = errno;
    written = false;
  }
  s.file = nullptr;
  if (written && std::rename(s.tempPath.c_str(), s.path.c_str()) != 0) {
    s.systemError = errno;
    written = false;
  }
  if (!written) {
    reason = s.failure();
    abandon();
    return false;
  }
  syncFolder(folderOf(s.path));
  stream_.reset();
  return true;
}

bool writePngFile(const std::string& path, int width, int height, const unsigned char* rgb,
                  std::string& reason) {
  PngWriter png;
  return png.open(path, width, height, reason) && png.writeRows(rgb, height, reason) &&
         png.finish(reason);
}

}  // namespace vek
