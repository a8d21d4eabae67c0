// farmstead.as: a farmstead where you click, for PLACE FEATURE
// (or: vekgen feature farmstead.as MAPFILE --pos X,Y).
//
// PLACE FEATURE copies the current map into the script grid's top-left
// block (x 1..48, y 1..24) before the script runs and copies that block back
// afterwards, so a feature script sees the map with gettile and changes
// only what it sets.
//
// The script asks you to click a cell of the map (getpos), then builds a
// house there with a well beside it, fields on the open ground around it,
// and a track to the nearest road if there is one close by. Click on land:
// on water, mountains or snow it only tells you so.

// Tile codes of the default tile set.
const int DEEP_WATER = 126;    // ~
const int SHALLOW_WATER = 119; // w
const int SAND = 115;          // s
const int DESERT = 100;        // d
const int GRASS = 44;          // ,
const int FARMLAND = 70;       // F
const int FOREST = 84;         // T
const int HILLS = 110;         // n
const int MOUNTAINS = 77;      // M
const int SNOW = 42;           // *
const int ROAD = 61;           // =
const int BRIDGE = 66;         // B
const int HOUSE = 104;         // h
const int WELL = 87;           // W

// The map: 48 columns, 24 rows, counted from 1.
const int COLUMNS = 48;
const int ROWS = 24;

bool insideMap(int x, int y) { return x >= 1 && x <= COLUMNS && y >= 1 && y <= ROWS; }

// Ground a house can stand on.
bool isBuildable(int tile) {
  return tile == GRASS || tile == FARMLAND || tile == SAND || tile == DESERT || tile == FOREST ||
         tile == HILLS;
}

// Ground that can be ploughed into fields.
bool isArable(int tile) { return tile == GRASS || tile == FOREST; }

// A number from 0 to n - 1.
int random(int n) { return rand() % n; }

// Fields in a rough oval around the house, on arable ground only.
void ploughFields(int houseX, int houseY) {
  for (int y = houseY - 3; y <= houseY + 3; y++) {
    for (int x = houseX - 6; x <= houseX + 6; x++) {
      if (!insideMap(x, y)) continue;
      int dx = x - houseX, dy = (y - houseY) * 2;
      int reach = dx * dx + dy * dy;
      if (reach <= 36 && (reach <= 16 || random(3) > 0) && isArable(gettile(x, y))) {
        settile(x, y, FARMLAND);
      }
    }
  }
}

// The nearest road cell within `limit` steps (counted as |dx| + |dy|) of
// (x, y), in roadX, roadY. False if there is none.
int roadX, roadY;
bool findRoad(int x, int y, int limit) {
  for (int distance = 1; distance <= limit; distance++) {
    for (int dx = -distance; dx <= distance; dx++) {
      int rest = distance - (dx < 0 ? -dx : dx);
      for (int sign = -1; sign <= 1; sign += 2) {
        int rx = x + dx, ry = y + rest * sign;
        if (insideMap(rx, ry) && gettile(rx, ry) == ROAD) {
          roadX = rx;
          roadY = ry;
          return true;
        }
        if (rest == 0) break;
      }
    }
  }
  return false;
}

// A track from the house to (toX, toY): first along the row, then along the
// column. It goes round nothing, and over water it becomes a bridge.
void layTrack(int fromX, int fromY, int toX, int toY) {
  int x = fromX, y = fromY;
  while (x != toX || y != toY) {
    if (x != toX) x += toX > x ? 1 : -1;
    else y += toY > y ? 1 : -1;
    int tile = gettile(x, y);
    if (tile == SHALLOW_WATER || tile == DEEP_WATER) settile(x, y, BRIDGE);
    else if (tile != ROAD && tile != BRIDGE && tile != HOUSE && tile != WELL) settile(x, y, ROAD);
  }
}

void main() {
  int x, y;
  getpos(x, y);
  int ground = gettile(x, y);
  if (!isBuildable(ground)) {
    message("No farmstead at " + x + "," + y + ": pick open land, not water or mountains.");
    return;
  }
  ploughFields(x, y);
  settile(x, y, HOUSE);
  // The well goes beside the house, on the first side that is not water.
  if (insideMap(x + 1, y) && isBuildable(gettile(x + 1, y))) settile(x + 1, y, WELL);
  else if (insideMap(x - 1, y) && isBuildable(gettile(x - 1, y))) settile(x - 1, y, WELL);
  if (findRoad(x, y, 12)) layTrack(x, y, roadX, roadY);
}
