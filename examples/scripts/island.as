// island.as: an island in the sea, for GENERATE CURRENT MAP
// (or: vekgen current island.as MAPFILE).
//
// GENERATE CURRENT MAP clears the whole script grid to 0, runs this script,
// and copies the grid's top-left 48 x 24 block (x 1..48, y 1..24) into the
// current map. Every cell the script leaves alone becomes code 0, so this
// script paints all of them.
//
// The block to the right of the map (x 49..144) is never copied anywhere:
// the script uses it as scratch memory while it shapes the coast, since
// scripts have no arrays.

// Tile codes of the default tile set.
const int DEEP_WATER = 126;    // ~
const int SHALLOW_WATER = 119; // w
const int SAND = 115;          // s
const int GRASS = 44;          // ,
const int FARMLAND = 70;       // F
const int FOREST = 84;         // T
const int HILLS = 110;         // n
const int MOUNTAINS = 77;      // M
const int ROAD = 61;           // =
const int BRIDGE = 66;         // B
const int TOWN = 111;          // o
const int HOUSE = 104;         // h
const int CAVE = 79;           // O
const int WELL = 87;           // W

// The map: 48 columns, 24 rows, counted from 1.
const int COLUMNS = 48;
const int ROWS = 24;

// Two scratch copies of the map's land/water plan, side by side to the
// right of the map: cell (x, y) of copy c lies at (x + 48 * c, y).
int plan(int copy, int x, int y) { return gettile(x + COLUMNS * copy, y); }
void setPlan(int copy, int x, int y, int land) { settile(x + COLUMNS * copy, y, land); }

// A number from 0 to n - 1.
int random(int n) { return rand() % n; }

// 1. A rough oval of land (1) in water (0), frayed at random.
void roughShape() {
  for (int y = 1; y <= ROWS; y++) {
    for (int x = 1; x <= COLUMNS; x++) {
      double dx = (x - 24.5) / 19.0;
      double dy = (y - 12.5) / 9.5;
      double fray = (random(100) - 50) / 140.0;
      setPlan(1, x, y, dx * dx + dy * dy + fray < 0.8 ? 1 : 0);
    }
  }
}

// Land cells in the square of cells within `reach` of (x, y) in a plan;
// outside the map counts as water.
int landWithin(int copy, int x, int y, int reach) {
  int land = 0;
  for (int dy = -reach; dy <= reach; dy++) {
    for (int dx = -reach; dx <= reach; dx++) {
      int nx = x + dx, ny = y + dy;
      if (nx >= 1 && nx <= COLUMNS && ny >= 1 && ny <= ROWS) land += plan(copy, nx, ny);
    }
  }
  return land;
}

// 2. Smooths the coast: a cell becomes land when most of its neighbourhood
// is land. Each round reads one copy and writes the other.
void smoothCoast(int rounds) {
  for (int round = 0; round < rounds; round++) {
    int from = 1 + round % 2;
    int to = 3 - from;
    for (int y = 1; y <= ROWS; y++) {
      for (int x = 1; x <= COLUMNS; x++) setPlan(to, x, y, landWithin(from, x, y, 1) >= 5 ? 1 : 0);
    }
  }
}

// How far (x, y) lies from the nearest water of the plan, up to `limit`.
int distanceToWater(int copy, int x, int y, int limit) {
  for (int r = 0; r < limit; r++) {
    for (int dy = -r; dy <= r; dy++) {
      for (int dx = -r; dx <= r; dx++) {
        int nx = x + dx, ny = y + dy;
        if (nx < 1 || nx > COLUMNS || ny < 1 || ny > ROWS) return r;
        if (plan(copy, nx, ny) == 0) return r;
      }
    }
  }
  return limit;
}

// 3. Paints the map from the plan: deep sea, shallows along the coast,
// beaches, grass, and hills around a mountain where the island is widest.
void paintFromPlan(int copy) {
  for (int y = 1; y <= ROWS; y++) {
    for (int x = 1; x <= COLUMNS; x++) {
      if (plan(copy, x, y) == 0) {
        bool shore = landWithin(copy, x, y, 1) > 0;
        bool nearShore = landWithin(copy, x, y, 2) > 0 && random(2) == 0;
        settile(x, y, shore || nearShore ? SHALLOW_WATER : DEEP_WATER);
        continue;
      }
      int inland = distanceToWater(copy, x, y, 8);
      if (inland <= 1) settile(x, y, SAND);
      else if (inland >= 7 + random(2)) settile(x, y, MOUNTAINS);
      else if (inland >= 5 + random(2)) settile(x, y, HILLS);
      else settile(x, y, GRASS);
    }
  }
}

// 5. A few woods, grown on grass around random centres.
void plantWoods(int woods) {
  for (int wood = 0; wood < woods; wood++) {
    int cx = 4 + random(COLUMNS - 8);
    int cy = 3 + random(ROWS - 6);
    int size = 2 + random(3);
    for (int y = cy - size; y <= cy + size; y++) {
      for (int x = cx - size * 2; x <= cx + size * 2; x++) {
        int dx = (x - cx) / 2, dy = y - cy;
        if (dx * dx + dy * dy <= size * size && random(5) > 0 && gettile(x, y) == GRASS) {
          settile(x, y, FOREST);
        }
      }
    }
  }
}

// Sets tile at (x, y) if it is grass (villages build only on open ground).
void buildOnGrass(int x, int y, int tile) {
  if (gettile(x, y) == GRASS || gettile(x, y) == FARMLAND) settile(x, y, tile);
}

// 4. A fishing village on the grass behind the southern beach, with a road
// down to a pier.
void buildVillage() {
  for (int attempt = 0; attempt < 200; attempt++) {
    int x = 8 + random(COLUMNS - 16);
    int y = ROWS / 2 + random(ROWS / 2 - 2);
    if (gettile(x, y) != GRASS || gettile(x, y + 3) != SAND) continue;
    for (int dy = -2; dy <= 1; dy++) {
      for (int dx = -4; dx <= 4; dx++) {
        if (random(3) == 0) buildOnGrass(x + dx, y + dy, HOUSE);
        else if (dy < 0 && random(2) == 0) buildOnGrass(x + dx, y + dy - 2, FARMLAND);
      }
    }
    settile(x, y, TOWN);
    buildOnGrass(x + 1, y, WELL);
    // The road runs south over the beach and on into the water as a pier.
    int pier = 0;
    for (int ry = y + 1; ry <= ROWS && pier < 3; ry++) {
      int tile = gettile(x, ry);
      if (tile == SHALLOW_WATER || tile == DEEP_WATER) {
        settile(x, ry, BRIDGE);
        pier++;
      } else {
        settile(x, ry, ROAD);
      }
    }
    return;
  }
}

// 6. A cave in the side of the mountain.
void digCave() {
  for (int y = 2; y < ROWS; y++) {
    for (int x = 2; x < COLUMNS; x++) {
      if (gettile(x, y) == MOUNTAINS && gettile(x, y + 1) == HILLS) {
        settile(x, y, CAVE);
        return;
      }
    }
  }
}

void main() {
  roughShape();
  smoothCoast(4);  // an even number of rounds leaves the result in copy 1
  paintFromPlan(1);
  buildVillage();  // before the woods, which grow only on grass
  plantWoods(4);
  digCave();
}
