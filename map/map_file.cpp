#include "map_file.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace vek {
namespace {

// Hands out the lines of a map file the way a text-mode fgets into a
// 1,024-byte buffer does: at most 1,023 characters, ending after the line
// end, CR LF read as one LF.
class LineReader {
 public:
  LineReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  // Fills line (kMapLineCapacity bytes, NUL-terminated) and gives the number
  // of characters read; 0 at the end of the data.
  std::size_t next(unsigned char* line) {
    std::size_t length = 0;
    while (length < kMapLineCapacity - 1 && position_ < size_) {
      unsigned char c = data_[position_++];
      if (c == '\r' && position_ < size_ && data_[position_] == '\n') c = data_[position_++];
      line[length++] = c;
      if (c == '\n') break;
    }
    line[length] = '\0';
    return length;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

struct KindKeyword {
  const char* keyword;
  MapKind kind;
};

// Searched in this order; a later match wins.
constexpr KindKeyword kKindKeywords[] = {
    {"WILDERNESS", MapKind::Wilderness},
    {"LOCAL", MapKind::Local},
    {"INTERIOR", MapKind::Interior},
};

std::int32_t clampToInt32(long long value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

// The decimal number at the start of text as atoi reads it (leading white
// space, a sign, digits up to the first other character; 0 without digits),
// saturated instead of overflowing.
long long leadingNumber(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = (*text++ == '-');
  long long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value < LLONG_MAX / 10) value = value * 10 + (*text - '0');
  }
  return negative ? -value : value;
}

// One teleport token without its '>': "X,Y:NAME" with the name's closing '!'.
void readTeleportToken(Map& map, const char* piece) {
  std::int32_t x = clampToInt32(leadingNumber(piece) - 20);
  const char* comma = std::strchr(piece, ',');
  std::int32_t y = clampToInt32((comma ? leadingNumber(comma + 1) : 0) - 12);
  const char* colon = std::strchr(piece, ':');
  std::string name = colon ? colon + 1 : "";
  if (!name.empty() && name.back() == '!') name.pop_back();
  map.addTeleport(x, y, name.c_str());
}

// Kind keywords and teleport tokens of the first line (a C string: the line
// ends at its first zero byte, as it always has). Gives the grid row count.
int readFirstLine(Map& map, char* line) {
  for (const KindKeyword& entry : kKindKeywords) {
    if (std::strstr(line, entry.keyword)) map.kind = entry.kind;
  }
  std::size_t length = std::strlen(line);
  if (length > 0) line[length - 1] = '\0';  // the line end, or the last character of a cut line

  // Split at '>' as strtok does: runs of '>' are one separator, empty pieces
  // do not exist, and the first piece is the kind text.
  bool firstPiece = true;
  for (char* cursor = line; *cursor;) {
    while (*cursor == '>') ++cursor;
    if (!*cursor) break;
    char* end = std::strchr(cursor, '>');
    char saved = '\0';
    if (end) std::swap(saved, *end);
    if (!firstPiece) readTeleportToken(map, cursor);
    firstPiece = false;
    if (!end) break;
    *end = saved;
    cursor = end;
  }
  return storedRows(map.kind);
}

void appendDecimal(std::string& out, long long value) { out += std::to_string(value); }

}  // namespace

const char* kindText(MapKind kind) {
  switch (kind) {
    case MapKind::Wilderness: return "WILDERNESS!";
    case MapKind::Local: return "LOCAL!~EXIT~";
    case MapKind::Interior: return "INTERIOR!";
  }
  return nullptr;
}

bool readMapFile(Map& map, const unsigned char* data, std::size_t size) {
  map.clearTeleports();
  LineReader reader(data, size);
  unsigned char line[kMapLineCapacity];

  int rows = storedRows(map.kind);
  if (reader.next(line) > 0) rows = readFirstLine(map, reinterpret_cast<char*>(line));

  for (int row = 0; row < rows; ++row) {
    std::size_t length = reader.next(line);
    if (length == 0) break;  // end of file: the remaining rows stay 0
    if (length < 1 + Map::kColumns) return false;
    for (int column = 0; column < Map::kColumns; ++column) {
      map.setTile(column, row, line[1 + column]);
    }
  }
  return true;
}

std::optional<std::string> formatMapFile(const Map& map) {
  const char* text = kindText(map.kind);
  if (!text) return std::nullopt;

  std::string out = text;
  for (const Teleport& teleport : map.teleports()) {
    out += '>';
    appendDecimal(out, static_cast<long long>(teleport.x) + 20);
    out += ',';
    appendDecimal(out, static_cast<long long>(teleport.y) + 12);
    out += ':';
    out += teleport.name;
    out += '!';
  }
  if (out.size() > kMapFirstLineLimit) return std::nullopt;
  out += "\r\n";

  for (int row = 0; row < storedRows(map.kind); ++row) {
    out += ' ';
    for (int column = 0; column < Map::kColumns; ++column) {
      out += static_cast<char>(map.getTile(column, row));
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace vek
