// world.as: a whole world of 20 x 20 wilderness maps, for GENERATE WORLD MAP
// (or: vekgen world world.as FOLDER).
//
// The script paints the full 960 x 480 script grid; after it returns, the
// editor saves each 48 x 24 block as one wilderness map (VEKAA.MAP at the
// top left to VEKTT.MAP at the bottom right). Every run makes a different
// world: all chance comes from rand(), which the editor seeds at start-up.
//
// How it works:
//   1. Terrain. Two smooth random fields, height and moisture, are made of
//      "value noise": random numbers on a coarse lattice, blended in
//      between. Height decides water, beach, lowland, hills and mountains;
//      moisture decides desert, grass, forest and marsh on the lowland.
//      The world's rim is pushed down so that it ends in open sea.
//   2. Towns and roads. One town per region of the world, visited in a
//      snake order, each joined to the one before by a road that prefers
//      easy ground and bridges narrow water. Farms, houses, wells and a
//      few castles go around the towns.
//   3. Caves. Entrances where mountains meet easier ground.
//
// Scripts have no arrays; what needs remembering is kept in globals, in
// small script classes, or in the grid itself (gettile reads it back).

// ---------------------------------------------------------------------------
// Tile codes of the default tile set.
const int DEEP_WATER = 126;    // ~
const int SHALLOW_WATER = 119; // w
const int SAND = 115;          // s
const int DESERT = 100;        // d
const int GRASS = 44;          // ,
const int FARMLAND = 70;       // F
const int MARSH = 109;         // m
const int FOREST = 84;         // T
const int HILLS = 110;         // n
const int MOUNTAINS = 77;      // M
const int SNOW = 42;           // *
const int ROCKS = 88;          // X
const int ROAD = 61;           // =
const int BRIDGE = 66;         // B
const int TOWN = 111;          // o
const int HOUSE = 104;         // h
const int CASTLE = 67;         // C
const int CAVE = 79;           // O
const int WELL = 87;           // W

// The script grid: x from 1 to 960, y from 1 to 480.
const int WIDTH = 960;
const int HEIGHT = 480;

// Heights run from about 0 to 255. These levels shape the land; raise
// SEA_LEVEL for more ocean, lower MOUNTAIN_LEVEL for more mountains.
const int SEA_LEVEL = 122;
const int SHALLOW_LEVEL = SEA_LEVEL - 8;  // below this: deep water
const int BEACH_LEVEL = SEA_LEVEL + 4;
const int HILL_LEVEL = 166;
const int MOUNTAIN_LEVEL = 182;
const int SNOW_LEVEL = 234;

// A number from 0 to n - 1.
int random(int n) { return rand() % n; }

// ---------------------------------------------------------------------------
// 1. Terrain

uint seed;  // drawn once with rand(), so every run differs

// A repeatable random value from 0 to 255 for lattice point (i, j) of
// field `salt`: the same arguments always give the same value in one run.
int latticeValue(int i, int j, int salt) {
  uint h = seed ^ (uint(salt) * 0x9E3779B9);
  h ^= uint(i) * 0x85EBCA6B;
  h = (h << 13) | (h >> 19);
  h ^= uint(j) * 0xC2B2AE35;
  h = (h << 17) | (h >> 15);
  h *= 0x27D4EB2D;
  h ^= h >> 15;
  return int(h & 255);
}

// Value noise with one lattice point every `spacing` cells. It remembers
// the four lattice values around the last position asked for, since
// neighbouring cells share them.
class Noise {
  int spacing;
  int salt;
  int cellI = -1;
  int cellJ = -1;
  int topLeft, topRight, bottomLeft, bottomRight;

  Noise(int spacing, int salt) {
    this.spacing = spacing;
    this.salt = salt;
  }

  // A value from 0 to 255 at cell (x, y), counted from 0.
  int at(int x, int y) {
    int i = x / spacing;
    int j = y / spacing;
    if (i != cellI || j != cellJ) {
      cellI = i;
      cellJ = j;
      topLeft = latticeValue(i, j, salt);
      topRight = latticeValue(i + 1, j, salt);
      bottomLeft = latticeValue(i, j + 1, salt);
      bottomRight = latticeValue(i + 1, j + 1, salt);
    }
    // Blend weights from 0 to 1024, eased (3t^2 - 2t^3) so that the field
    // has no creases along the lattice lines.
    int tx = (x - i * spacing) * 1024 / spacing;
    int ty = (y - j * spacing) * 1024 / spacing;
    int wx = tx * tx / 1024 * (3072 - 2 * tx) / 1024;
    int wy = ty * ty / 1024 * (3072 - 2 * ty) / 1024;
    int top = topLeft * (1024 - wx) + topRight * wx;
    int bottom = bottomLeft * (1024 - wx) + bottomRight * wx;
    return (top / 1024 * (1024 - wy) + bottom / 1024 * wy) / 1024;
  }
}

// Broad continents, then regions, then detail, weighted 6 : 3 : 2.
Noise continents(160, 1);
Noise regions(56, 2);
Noise detail(20, 3);
// Mountain chains follow the lines where this field crosses its middle.
Noise ridges(96, 4);
Noise wetness(72, 5);

// Height at cell (x, y) counted from 0, before the per-cell roughness.
int heightAt(int x, int y) {
  int h = (continents.at(x, y) * 6 + regions.at(x, y) * 3 + detail.at(x, y) * 2) / 11;
  // The world ends in open sea: within RIM cells of an edge the land sinks.
  const int RIM = 110;
  int edge = x;
  if (WIDTH - 1 - x < edge) edge = WIDTH - 1 - x;
  if (y < edge) edge = y;
  if (HEIGHT - 1 - y < edge) edge = HEIGHT - 1 - y;
  if (edge < RIM) h -= (RIM - edge) * (RIM - edge) / 90;
  // Stretch the middle of the range so that both seas and uplands occur,
  // but flatten the top: the high peaks come from the chains below.
  h = 128 + (h - 128) * 2;
  const int PLATEAU = HILL_LEVEL - 10;
  if (h > PLATEAU) h = PLATEAU + (h - PLATEAU) / 6;
  // Mountain chains rise along the ridge lines, but only well inland.
  if (h > BEACH_LEVEL + 12) {
    int offLine = ridges.at(x, y) - 128;
    if (offLine < 0) offLine = -offLine;
    const int WIDTH_OF_CHAIN = 22;
    if (offLine < WIDTH_OF_CHAIN) {
      int inland = h - BEACH_LEVEL - 12;
      if (inland > 30) inland = 30;
      int nearness = WIDTH_OF_CHAIN - offLine;
      h += nearness * nearness * inland / 170;
    }
  }
  return h;
}

// Moisture at cell (x, y): wetter in the north, drier towards the south.
int moistureAt(int x, int y) { return wetness.at(x, y) + 60 - y / 4; }

// The tile for a height and a moisture.
int terrainTile(int height, int moisture) {
  if (height < SHALLOW_LEVEL) return DEEP_WATER;
  if (height < SEA_LEVEL) return SHALLOW_WATER;
  if (height < BEACH_LEVEL) return moisture > 150 ? MARSH : SAND;
  if (height >= SNOW_LEVEL) return SNOW;
  if (height >= MOUNTAIN_LEVEL) return random(14) == 0 ? ROCKS : MOUNTAINS;
  if (height >= HILL_LEVEL) return moisture > 150 ? FOREST : HILLS;
  if (moisture < 45) return DESERT;
  if (moisture > 168 && height < BEACH_LEVEL + 8) return MARSH;
  if (moisture > 140) return FOREST;
  return GRASS;
}

// Height and moisture are worked out exactly every STEP cells of a row and
// blended in between; that keeps the script fast (the whole world takes a
// fraction of a second) without a visible difference. One rand() per cell
// roughens both, so that borders between kinds of land fray naturally.
void paintTerrain() {
  const int STEP = 8;
  for (int y = 0; y < HEIGHT; y++) {
    int heightLeft = heightAt(0, y);
    int moistureLeft = moistureAt(0, y);
    for (int left = 0; left < WIDTH; left += STEP) {
      int heightRight = heightAt(left + STEP, y);
      int moistureRight = moistureAt(left + STEP, y);
      // Both fields in eighths, stepped along the row.
      int height = heightLeft * STEP;
      int moisture = moistureLeft * STEP;
      for (int x = left + 1; x <= left + STEP; x++) {
        int roughness = rand();
        settile(x, y + 1, terrainTile(height / STEP + roughness % 5 - 2,
                                      moisture / STEP + roughness / 5 % 25 - 12));
        height += heightRight - heightLeft;
        moisture += moistureRight - moistureLeft;
      }
      heightLeft = heightRight;
      moistureLeft = moistureRight;
    }
  }
}

// ---------------------------------------------------------------------------
// 2. Towns and roads

bool isWater(int tile) { return tile == DEEP_WATER || tile == SHALLOW_WATER; }

// Flat, dry ground where a town or a farm can stand.
bool isOpenLand(int tile) { return tile == GRASS || tile == FARMLAND || tile == DESERT; }

// How hard a road finds a tile; roads already built cost nothing, so new
// roads join the old ones.
int roadCost(int tile) {
  if (tile == ROAD || tile == BRIDGE || tile == TOWN) return 0;
  if (tile == GRASS || tile == FARMLAND || tile == SAND || tile == DESERT) return 2;
  if (tile == FOREST || tile == MARSH || tile == HILLS || tile == HOUSE) return 5;
  if (tile == SHALLOW_WATER) return 12;
  if (tile == DEEP_WATER) return 60;
  return 9;  // mountains, rocks, snow, castles, caves
}

// Where the road walker stands.
int walkX, walkY;

// One step of a road from (walkX, walkY) towards (toX, toY): along x or y,
// whichever enters the easier tile (on a tie, the longer way to go).
void stepTowards(int toX, int toY) {
  int dx = toX > walkX ? 1 : (toX < walkX ? -1 : 0);
  int dy = toY > walkY ? 1 : (toY < walkY ? -1 : 0);
  if (dx == 0) { walkY += dy; return; }
  if (dy == 0) { walkX += dx; return; }
  int costX = roadCost(gettile(walkX + dx, walkY));
  int costY = roadCost(gettile(walkX, walkY + dy));
  int farX = toX > walkX ? toX - walkX : walkX - toX;
  int farY = toY > walkY ? toY - walkY : walkY - toY;
  if (costX < costY || (costX == costY && farX >= farY)) walkX += dx;
  else walkY += dy;
}

// Whether a road from (fromX, fromY) to (toX, toY) is worth building: no
// open sea, at most a short bridge, and not a long climb over mountains.
bool roadIsPassable(int fromX, int fromY, int toX, int toY) {
  int water = 0;
  int mountains = 0;
  walkX = fromX;
  walkY = fromY;
  while (walkX != toX || walkY != toY) {
    stepTowards(toX, toY);
    int tile = gettile(walkX, walkY);
    if (tile == DEEP_WATER) return false;
    if (tile == SHALLOW_WATER) water++;
    if (roadCost(tile) >= 9) mountains++;
  }
  return water <= 6 && mountains <= 12;
}

// Lays a road, with bridges over narrow water, if it is passable. True if
// it was laid.
bool buildRoad(int fromX, int fromY, int toX, int toY) {
  if (!roadIsPassable(fromX, fromY, toX, toY)) return false;
  layRoad(fromX, fromY, toX, toY);
  return true;
}

// Joins two towns: straight on if that is passable, else round a bay or a
// range by way of one of the two corners of the rectangle they span.
void joinTowns(int fromX, int fromY, int toX, int toY) {
  if (buildRoad(fromX, fromY, toX, toY)) return;
  int cornerX = toX;
  int cornerY = fromY;
  for (int corner = 0; corner < 2; corner++) {
    if (roadIsPassable(fromX, fromY, cornerX, cornerY) &&
        roadIsPassable(cornerX, cornerY, toX, toY)) {
      layRoad(fromX, fromY, cornerX, cornerY);
      layRoad(cornerX, cornerY, toX, toY);
      return;
    }
    cornerX = fromX;
    cornerY = toY;
  }
}

void layRoad(int fromX, int fromY, int toX, int toY) {
  walkX = fromX;
  walkY = fromY;
  while (walkX != toX || walkY != toY) {
    stepTowards(toX, toY);
    int tile = gettile(walkX, walkY);
    if (isWater(tile)) settile(walkX, walkY, BRIDGE);
    else if (roadCost(tile) > 0 && tile != HOUSE) settile(walkX, walkY, ROAD);
  }
}

// Sets tile at (x, y) if the cell holds one of the codes that may be built
// over (open land, or also forest when `clearForest`).
void buildOn(int x, int y, int tile, bool clearForest) {
  int here = gettile(x, y);
  if (isOpenLand(here) || (clearForest && here == FOREST)) settile(x, y, tile);
}

// A town at (x, y): houses and a well around the market, farms around that,
// and now and then a castle on the edge.
void buildTown(int x, int y, bool withCastle) {
  for (int dy = -5; dy <= 5; dy++) {
    for (int dx = -7; dx <= 7; dx++) {
      int distance = dx * dx + dy * dy * 2;
      if (distance <= 6 && random(3) > 0) buildOn(x + dx, y + dy, HOUSE, true);
      else if (distance <= 40 && random(4) > 0) buildOn(x + dx, y + dy, FARMLAND, false);
    }
  }
  settile(x, y, TOWN);
  buildOn(x + 1, y + 1, WELL, true);
  if (withCastle) {
    int side = random(2) == 0 ? -4 : 4;
    settile(x + side, y - 2, CASTLE);
    buildRoad(x, y, x + side, y - 2 + 1);
  }
}

bool isDryLand(int tile) { return !isWater(tile) && tile != MARSH; }

// Looks for open land with dry land around it inside the region from
// (left, top), width x height; gives the spot in walkX, walkY. False if
// none was found.
bool findTownSite(int left, int top, int width, int height) {
  for (int attempt = 0; attempt < 80; attempt++) {
    int x = left + 8 + random(width - 16);
    int y = top + 6 + random(height - 12);
    if (isOpenLand(gettile(x, y)) && isDryLand(gettile(x + 4, y)) &&
        isDryLand(gettile(x - 4, y)) && isDryLand(gettile(x, y + 3)) &&
        isDryLand(gettile(x, y - 3))) {
      walkX = x;
      walkY = y;
      return true;
    }
  }
  return false;
}

// The world is cut into 8 x 5 regions, visited row by row, left to right
// and back again, so that each road runs to a near neighbour.
void buildTownsAndRoads() {
  const int COLUMNS = 8;
  const int ROWS = 5;
  int regionWidth = WIDTH / COLUMNS;
  int regionHeight = HEIGHT / ROWS;
  bool havePrevious = false;
  int previousX = 0, previousY = 0;
  int towns = 0;
  for (int row = 0; row < ROWS; row++) {
    for (int step = 0; step < COLUMNS; step++) {
      int column = row % 2 == 0 ? step : COLUMNS - 1 - step;
      if (!findTownSite(column * regionWidth + 1, row * regionHeight + 1, regionWidth,
                        regionHeight)) {
        continue;
      }
      int x = walkX, y = walkY;
      towns++;
      buildTown(x, y, towns % 3 == 0);
      if (havePrevious) joinTowns(previousX, previousY, x, y);
      havePrevious = true;
      previousX = x;
      previousY = y;
    }
  }
}

// ---------------------------------------------------------------------------
// 3. Caves

void digCaves() {
  int caves = 0;
  for (int attempt = 0; attempt < 4000 && caves < 40; attempt++) {
    int x = 2 + random(WIDTH - 2);
    int y = 2 + random(HEIGHT - 2);
    if (gettile(x, y) != MOUNTAINS) continue;
    int below = gettile(x, y + 1);
    if (below == HILLS || below == GRASS || below == FOREST) {
      settile(x, y, CAVE);
      caves++;
    }
  }
}

void main() {
  seed = uint(rand()) * 32768 + uint(rand());
  paintTerrain();
  buildTownsAndRoads();
  digCaves();
}
