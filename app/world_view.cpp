#include "app/world_view.h"

#include <string>

#include "app/commands.h"
#include "app/screen_layout.h"
#include "app/screen_text.h"
#include "app/world_picture.h"
#include "map/map_naming.h"
#include "resources/world_picture_style.h"

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

namespace {

// The first picture column that shows grid column gridColumn.
int pictureColumnOf(int gridColumn) {
  return (gridColumn * layout::kMapAreaWidth + World::kColumns - 1) / World::kColumns;
}

bool openWildernessMap(CommandContext& context, int worldColumn, int worldRow) {
  std::optional<std::string> path =
      wildernessMapPath(folderPart(context.document.path()), worldColumn, worldRow);
  // A wilderness map that does not exist yet starts as a new one of its
  // kind, whatever kind the map shown before had.
  return path && openMap(context, *path, OpenedKind::WildernessIfNew);
}

}  // namespace

bool openWorldMapAt(CommandContext& context, int x, int y) {
  WorldPosition position = worldPositionAt(x, y);
  return openWildernessMap(context, position.worldColumn, position.worldRow);
}

bool openNeighbourWildernessMap(CommandContext& context, int columns, int rows) {
  std::optional<WorldPlace> place = wildernessPlaceOf(context.document.path());
  if (!place) return false;
  int column = place->column + columns;
  int row = place->row + rows;
  if (column < 0 || column >= kWorldSide || row < 0 || row >= kWorldSide) return false;
  return openWildernessMap(context, column, row);
}

void drawWorldGridLines(BITMAP* target) {
  int grey = makecol(kWorldGridLineGrey, kWorldGridLineGrey, kWorldGridLineGrey);
  for (int index = 1; index < kWorldSide; ++index) {
    int x = pictureColumnOf(index * Map::kColumns);
    vline(target, x, 0, layout::kMapAreaHeight - 1, grey);
    hline(target, 0, index * Map::kRows, layout::kMapAreaWidth - 1, grey);
  }
}

void drawCurrentMapOutline(BITMAP* target, const World& world, const char* currentPath) {
  std::optional<WorldPlace> place = wildernessPlaceOf(currentPath);
  if (!place || folderPart(currentPath) != world.folder()) return;
  int left = pictureColumnOf(place->column * Map::kColumns);
  int right = pictureColumnOf((place->column + 1) * Map::kColumns) - 1;
  int top = place->row * Map::kRows;
  rect(target, left, top, right, top + Map::kRows - 1, makecol(255, 255, 0));
}

}  // namespace vek
