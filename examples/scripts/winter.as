// winter.as: snow falls on the north of an existing world, for TRANSFORM
// WORLD MAP (or: vekgen transform winter.as FOLDER).
//
// A transform script starts with the script grid holding the folder's 400
// wilderness maps as they are (a missing map reads as 0). Whatever it
// changes is written back; maps it leaves alone are not touched, and every
// map keeps its kind and teleports, so towns, caves and their doors stay
// where they were.
//
// Grass, farmland, forest, hills and marsh north of the snow line turn to
// snow, shallow water to deep water (it freezes over in the game's story,
// not in its tiles). The snow line wanders a little from column to column.

const int SHALLOW_WATER = 119; // w
const int DEEP_WATER = 126;    // ~
const int GRASS = 44;          // ,
const int FARMLAND = 70;       // F
const int MARSH = 109;         // m
const int FOREST = 84;         // T
const int HILLS = 110;         // n
const int SNOW = 42;           // *

const int WIDTH = 960;
// Rows 1 to about 96: the top four rows of wilderness maps.
const int SNOW_LINE = 96;

int wintry(int tile) {
  if (tile == GRASS || tile == FARMLAND || tile == MARSH || tile == HILLS || tile == FOREST) {
    return SNOW;
  }
  if (tile == SHALLOW_WATER) return DEEP_WATER;
  return tile;
}

void main() {
  int line = SNOW_LINE;
  for (int x = 1; x <= WIDTH; x++) {
    // A random walk of at most one row per column, kept near the line.
    int step = rand() % 3 - 1;
    if (line + step > SNOW_LINE - 12 && line + step < SNOW_LINE + 12) line += step;
    for (int y = 1; y <= line; y++) {
      settile(x, y, wintry(gettile(x, y)));
    }
  }
}
