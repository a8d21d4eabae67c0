#pragma once

// The .MAP text format.
//
// First line: the kind text ("WILDERNESS!", "LOCAL!~EXIT~" or "INTERIOR!"),
// then one token ">X,Y:NAME!" per teleport, where X and Y are the teleport's
// x + 20 and y + 12 in signed decimal. Then one grid line per stored row
// (24 for a wilderness map, 23 for the others): a space and the row's 48
// codes as raw bytes. Lines end with CR LF on writing; reading also takes a
// lone LF, and folds CR LF into one line end as a text-mode stream does.
//
// Reading keeps the format's old rules, which stored maps rely on: lines are
// read through a 1,024-byte buffer (a longer line goes on as the next line),
// the kind is the last keyword found anywhere in the first line in the order
// WILDERNESS, LOCAL, INTERIOR, and a grid line shorter than 49 characters
// (line end counted as one) stops the load. Lines are measured by the bytes
// actually read, so the code 0 reads back; the code 10 is a line end and
// splits its row.

#include <cstddef>
#include <optional>
#include <string>

#include "map.h"

namespace vek {

// Size of the reader's line buffer: lines of up to 1,023 characters.
constexpr std::size_t kMapLineCapacity = 1024;
// The reader never looks further into a file than this: the first line and
// 24 grid lines of at most 1,023 characters, each of which may have had its
// CR LF folded.
constexpr std::size_t kMapBytesConsumedAtMost = 25 * (kMapLineCapacity - 1) * 2;
// Longest first line, line end excluded, that the reader takes whole.
constexpr std::size_t kMapFirstLineLimit = kMapLineCapacity - 2;

// Reads the content of a map file from memory into map: kind, teleports and
// grid rows. The caller clears the grid first. False when a grid line is too
// short; what was read before it stays.
bool readMapFile(Map& map, const unsigned char* data, std::size_t size);

// The bytes of the map file for map, or nothing when the map cannot be
// written in a form that reads back: its kind is not one of the three, or its
// first line would be longer than the reader takes whole.
std::optional<std::string> formatMapFile(const Map& map);

// Why formatMapFile gave nothing for a map of one of the three kinds.
inline constexpr const char* kTeleportsDoNotFit =
    "its teleports do not fit the first line of a map file";

// The text that starts the first line of a map of this kind; null for a value
// that is not a kind.
const char* kindText(MapKind kind);

}  // namespace vek
