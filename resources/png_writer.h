#pragma once

#include <memory>
#include <string>

namespace vek {

// Writes a PNG picture of 8-bit red, green and blue row by row, so that a
// picture far larger than memory can be written band by band. The rows go
// to a temporary file in the target's folder, which replaces the target only
// once finish() has written and flushed everything: a failure or an
// abandoned writer leaves an earlier file at the path as it was and no
// temporary file behind (unless the process is killed).
//
//   PngWriter png;
//   if (!png.open(path, width, height, reason)) ...
//   for each band: if (!png.writeRows(band, bandHeight, reason)) ...
//   if (!png.finish(reason)) ...
//
// Every failure gives a reason that names the file and says why.
class PngWriter {
 public:
  PngWriter();
  ~PngWriter();
  PngWriter(const PngWriter&) = delete;
  PngWriter& operator=(const PngWriter&) = delete;

  // compressionLevel is zlib's, 0 (none, fastest) to 9 (smallest).
  // rowFilters lets libpng try PNG's row filters on every row, which packs
  // photographs better; pictures of tiles that repeat pack as well without
  // them, at a third of the time.
  bool open(const std::string& path, int width, int height, std::string& reason,
            int compressionLevel = 6, bool rowFilters = true);
  // count rows, top first, each width x 3 bytes (red, green, blue), one
  // after the other. False when they would pass the height or a write fails.
  bool writeRows(const unsigned char* rows, int count, std::string& reason);
  // After every row: completes the file and renames it over the path.
  bool finish(std::string& reason);
  // Drops the file being written; what was at the path stays.
  void abandon();

  int rowsWritten() const;

  struct Stream;  // the file and libpng's state, private to the writer

 private:
  std::unique_ptr<Stream> stream_;
};

// A whole picture at once: width x height x 3 bytes, top row first.
bool writePngFile(const std::string& path, int width, int height, const unsigned char* rgb,
                  std::string& reason);

}  // namespace vek
