#include "app/world_view.h"

#include <string>

#include "app/map_opening.h"
#include "app/path_buffer.h"
#include "app/screen_layout.h"
#include "app/screen_text.h"
#include "app/world_picture.h"
#include "map/map_naming.h"

namespace vek {

WorldPosition worldPositionAt(int x, int y) {
  WorldPosition position;
  position.gridColumn = worldGridColumnAt(x);
  position.gridRow = y;
  position.worldColumn = position.gridColumn / Map::kColumns;
  position.worldRow = y / Map::kRows;
  return position;
}

void drawWorldReadout(BITMAP* target, const World& world, int mouseX, int mouseY) {
  WorldPosition position = worldPositionAt(mouseX, mouseY);
  int white = makecol(255, 255, 255);
  std::string name = wildernessShortName(position.worldColumn, position.worldRow);
  textout_ex(target, font, name.c_str(), layout::kReadoutPositionX, layout::kReadoutY, white, -1);
  drawFormattedText(target, layout::kReadoutCodeX, layout::kReadoutY, white, "%i",
                    world.cell(position.gridColumn, position.gridRow));
}

bool openWorldMapAt(int x, int y, char* currentPath, Map& map) {
  WorldPosition position = worldPositionAt(x, y);
  if (!storePath(currentPath, wildernessMapPath(folderPart(currentPath), position.worldColumn,
                                                position.worldRow))) {
    return false;
  }
  // A wilderness map that does not exist yet starts as a new one of its
  // kind, whatever kind the map shown before had.
  if (!openMapOrStartNew(map, currentPath)) map.kind = MapKind::Wilderness;
  return true;
}

}  // namespace vek
