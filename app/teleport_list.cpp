#include "app/teleport_list.h"

#include <algorithm>
#include <cstring>

#include "app/screen_layout.h"
#include "app/screen_text.h"
#include "map/world.h"

namespace vek {
namespace {

int white() { return makecol(255, 255, 255); }
int red() { return makecol(255, 0, 0); }
int yellow() { return makecol(255, 255, 0); }
int grey() { return makecol(96, 96, 96); }

// The "?" after a missing destination's name.
constexpr int kMissingMarkWidth = 8;

// A small triangle in the arrow column beside the row at top, pointing up
// or down.
void drawArrow(BITMAP* target, int top, bool up, int colour) {
  int left = kListArrowX + 1;
  int right = kListArrowX + kListArrowWidth - 3;
  int middle = (left + right) / 2;
  int tip = up ? top + 1 : top + layout::kTeleportRowHeight - 3;
  int base = up ? top + layout::kTeleportRowHeight - 3 : top + 1;
  triangle(target, left, base, right, base, middle, tip, colour);
}

bool isInArrowColumn(int x) { return x >= kListArrowX && x < kListArrowX + kListArrowWidth; }

// Where a UTF-8 character starts: any byte but a continuation byte.
bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

}  // namespace

int TeleportList::rowsThatFit(int screenHeight) {
  return std::max(0, (screenHeight - layout::kTeleportRowsTop) / layout::kTeleportRowHeight);
}

int TeleportList::firstShown(int teleportCount, int screenHeight) const {
  int last = std::max(0, teleportCount - rowsThatFit(screenHeight));
  return std::clamp(first_, 0, last);
}

void TeleportList::scroll(int rows, int teleportCount, int screenHeight) {
  first_ = firstShown(teleportCount, screenHeight);
  first_ += rows;
  first_ = firstShown(teleportCount, screenHeight);
}

int TeleportList::teleportAt(int y, int teleportCount, int screenHeight) const {
  if (y < layout::kTeleportRowsTop) return -1;
  int row = layout::teleportRowAt(y);
  if (row >= rowsThatFit(screenHeight)) return -1;
  int index = firstShown(teleportCount, screenHeight) + row;
  return index < teleportCount ? index : -1;
}

void TeleportList::lookAtDestinations(const Map& map, const std::string& folder) {
  const std::vector<Teleport>& teleports = map.teleports();
  bool same = lookedFolder_ == folder && lookedNames_.size() == teleports.size() &&
              std::equal(teleports.begin(), teleports.end(), lookedNames_.begin(),
                         [](const Teleport& teleport, const std::string& name) {
                           return name == teleport.name;
                         });
  if (same) return;
  lookedFolder_ = folder;
  lookedNames_.clear();
  destinationFound_.clear();
  for (const Teleport& teleport : teleports) {
    lookedNames_.emplace_back(teleport.name);
    destinationFound_.push_back(teleportDestinationExists(folder, teleport.name));
  }
}

bool TeleportList::destinationMissing(std::size_t index) const {
  return index < destinationFound_.size() && !destinationFound_[index];
}

void TeleportList::draw(BITMAP* target, const Map& map) const {
  textout_ex(target, font, layout::kTeleportHeading, layout::kTeleportHeadingX,
             layout::kTeleportHeadingY, white(), -1);
  textout_ex(target, font, "+", layout::kMarkX, layout::kPlusY, red(), -1);
  int count = map.teleportCount();
  int fit = rowsThatFit(target->h);
  int first = firstShown(count, target->h);
  int shown = std::min(fit, count - first);
  for (int row = 0; row < shown; ++row) {
    std::size_t index = static_cast<std::size_t>(first + row);
    const Teleport& teleport = map.teleports()[index];
    int y = layout::kTeleportRowsTop + row * layout::kTeleportRowHeight;
    drawFormattedText(target, layout::kTeleportPositionX, y, white(), "%i,%i", teleport.x,
                      teleport.y);
    bool missing = destinationMissing(index);
    std::string name = fittedName(teleport.name, kNameWidth - (missing ? kMissingMarkWidth : 0));
    textout_ex(target, font, name.c_str(), layout::kTeleportNameX, y, white(), -1);
    if (missing) {
      textout_ex(target, font, "?", layout::kTeleportNameX + text_length(font, name.c_str()), y,
                 yellow(), -1);
    }
    textout_ex(target, font, "-", layout::kMarkX, y, red(), -1);
  }
  if (count <= fit || fit == 0) return;
  drawArrow(target, layout::kTeleportRowsTop, true, first > 0 ? white() : grey());
  drawArrow(target, layout::kTeleportRowsTop + (fit - 1) * layout::kTeleportRowHeight, false,
            first + fit < count ? white() : grey());
}

bool TeleportList::isOnUpArrow(int x, int y) {
  return isInArrowColumn(x) && y >= layout::kTeleportRowsTop &&
         y < layout::kTeleportRowsTop + layout::kTeleportRowHeight;
}

bool TeleportList::isOnDownArrow(int x, int y, int screenHeight) {
  int top = layout::kTeleportRowsTop + (rowsThatFit(screenHeight) - 1) * layout::kTeleportRowHeight;
  return isInArrowColumn(x) && y >= top && y < top + layout::kTeleportRowHeight;
}

bool TeleportList::isOverRows(int x, int y, int screenHeight) {
  return x >= layout::kTeleportPositionX && x < kListArrowX + kListArrowWidth &&
         y >= layout::kTeleportRowsTop &&
         y < layout::kTeleportRowsTop + rowsThatFit(screenHeight) * layout::kTeleportRowHeight;
}

std::string fittedName(const char* name, int width) {
  if (text_length(font, name) <= width) return name;
  std::string cut = name;
  while (!cut.empty()) {
    // Drop the last character whole: its continuation bytes, then its lead.
    while (!cut.empty() && !startsCharacter(cut.back())) cut.pop_back();
    if (!cut.empty()) cut.pop_back();
    if (text_length(font, (cut + "...").c_str()) <= width) break;
  }
  return cut + "...";
}

}  // namespace vek
