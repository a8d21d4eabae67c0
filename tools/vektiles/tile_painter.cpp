#include "tile_painter.h"

#include <string>

namespace vek {
namespace {

// Colours shared by several tiles.
constexpr Rgb kGrass{60, 150, 50};
constexpr Rgb kGrassDark{40, 110, 35};
constexpr Rgb kGrassLight{100, 182, 72};
constexpr Rgb kShallowWater{70, 150, 210};
constexpr Rgb kStone{132, 132, 142};
constexpr Rgb kPlank{176, 144, 102};
constexpr Rgb kPlankSeam{138, 108, 72};
constexpr Rgb kBrick{128, 116, 104};
constexpr Rgb kMortar{86, 80, 74};
constexpr Rgb kRoof{182, 60, 42};
constexpr Rgb kRoofRidge{140, 42, 28};
constexpr Rgb kHouseWall{220, 200, 150};
constexpr Rgb kDarkWood{104, 64, 30};
constexpr Rgb kGold{222, 184, 48};

// A short wave: two pixels up, two down, as on a sea chart.
void wave(TileImage& image, int x, int y, Rgb colour) {
  image.set(x, y + 1, colour);
  image.set(x + 1, y, colour);
  image.set(x + 2, y, colour);
  image.set(x + 3, y + 1, colour);
  image.set(x + 4, y + 1, colour);
  image.set(x + 5, y, colour);
}

void grassBlade(TileImage& image, int x, int y) {
  image.set(x, y, kGrassDark);
  image.set(x, y + 1, kGrassDark);
  image.set(x + 1, y - 1, kGrassDark);
}

// A rectangle with its corners cut: a stone, a puddle, a drift.
void blob(TileImage& image, int x, int y, int w, int h, Rgb colour) {
  image.fillRect(x + 1, y, w - 2, h, colour);
  image.fillRect(x, y + 1, w, h - 2, colour);
}

// The upper half of an ellipse, standing on y = cy: a hill or a mound.
// Its top edge is lit on the left and its right third is in shade.
void hump(TileImage& image, int cx, int cy, int rx, int ry, Rgb fill, Rgb light, Rgb shade) {
  for (int x = cx - rx; x <= cx + rx; ++x) {
    bool top = true;
    for (int y = cy - ry; y <= cy; ++y) {
      long dx = x - cx, dy = y - cy;
      if (dx * dx * ry * ry + dy * dy * rx * rx > static_cast<long>(rx) * rx * ry * ry) continue;
      Rgb colour = fill;
      if (x > cx + rx / 3) colour = shade;
      if (top && x < cx) colour = light;
      image.set(x, y, colour);
      top = false;
    }
  }
}

void bricks(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kMortar);
  for (int y = 0; y < kTileHeight; ++y) {
    if (y % 4 == 3) continue;
    int band = y / 4;
    for (int x = 0; x < kTileWidth; ++x) {
      if ((x + (band % 2) * 4) % 8 != 7) image.set(x, y, kBrick);
    }
  }
}

void planks(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kPlank);
  for (int y = 0; y < kTileHeight; ++y) {
    if (y % 5 == 4) {
      image.hline(0, kTileWidth - 1, y, kPlankSeam);
      continue;
    }
    int joint = (y / 5) % 2 == 0 ? 11 : 3;
    image.set(joint, y, kPlankSeam);
  }
}

void paintDeepWater(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{20, 50, 140});
  const Rgb crest{70, 110, 196};
  wave(image, 1, 2, crest);
  wave(image, 10, 8, crest);
  wave(image, 2, 13, crest);
  wave(image, 11, 16, crest);
  const Rgb trough{12, 34, 108};
  wave(image, 9, 3, trough);
  wave(image, 3, 9, trough);
  wave(image, 10, 13, trough);
}

void paintShallowWater(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kShallowWater);
  const Rgb ripple{146, 204, 232};
  wave(image, 8, 2, ripple);
  wave(image, 1, 9, ripple);
  wave(image, 9, 14, ripple);
  const Rgb sand{212, 200, 140};
  image.set(14, 7, sand);
  image.set(3, 16, sand);
  image.set(4, 16, sand);
  image.set(15, 18, sand);
}

void paintSand(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{226, 206, 140});
  for (int y = 0; y < kTileHeight; ++y) {
    for (int x = 0; x < kTileWidth; ++x) {
      if ((x * 7 + y * 13) % 11 == 0) image.set(x, y, Rgb{196, 172, 110});
      if ((x * 5 + y * 3) % 17 == 0) image.set(x, y, Rgb{242, 228, 172});
    }
  }
}

void paintDesertDunes(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{222, 168, 88});
  const Rgb crest{244, 200, 124};
  const Rgb shade{186, 132, 64};
  struct Dune {
    int cx, cy, from, to;
  };
  for (Dune dune : {Dune{12, 4, 6, 17}, Dune{4, 12, 0, 10}, Dune{15, 15, 10, 17}}) {
    for (int x = dune.from; x <= dune.to; ++x) {
      int y = dune.cy + (x - dune.cx) * (x - dune.cx) / 6;
      image.set(x, y, crest);
      image.set(x, y + 1, shade);
    }
  }
}

void paintGrass(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kGrass);
  const int blades[][2] = {{2, 2},   {8, 3},  {14, 1}, {11, 8},  {3, 10},
                           {15, 11}, {7, 14}, {1, 17}, {12, 17}, {16, 6}};
  for (const auto& blade : blades) grassBlade(image, blade[0], blade[1]);
  image.set(7, 9, kGrassLight);
  image.set(13, 13, kGrassLight);
  image.set(4, 15, kGrassLight);
}

void paintFarmland(TileImage& image) {
  const Rgb wheat{206, 184, 72};
  const Rgb crop{112, 164, 60};
  const Rgb furrow{150, 110, 60};
  for (int y = 0; y < kTileHeight; ++y) {
    bool field = y < 11;
    Rgb colour = field ? (y % 4 == 3 ? furrow : wheat) : (y % 3 == 1 ? furrow : crop);
    image.hline(0, kTileWidth - 1, y, colour);
  }
  image.vline(kTileWidth - 1, 0, kTileHeight - 1, kGrassDark);  // a hedge between fields
}

void paintMarsh(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{86, 112, 62});
  const Rgb puddle{58, 92, 112};
  blob(image, 8, 4, 8, 4, puddle);
  blob(image, 11, 7, 5, 2, puddle);
  blob(image, 3, 12, 7, 4, puddle);
  blob(image, 13, 16, 4, 3, puddle);
  const Rgb reed{52, 74, 34};
  const Rgb reedTop{128, 96, 52};
  const int reeds[][2] = {{1, 2}, {3, 3}, {7, 9}, {9, 10}, {15, 10}, {1, 15}, {11, 15}};
  for (const auto& r : reeds) {
    image.vline(r[0], r[1], r[1] + 3, reed);
    image.vline(r[0], r[1] - 1, r[1], reedTop);
  }
}

void paintForest(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{24, 66, 24});
  const Rgb canopy{34, 122, 40};
  const Rgb light{78, 166, 64};
  const Rgb shadow{16, 84, 26};
  const Rgb trunk{96, 64, 32};
  struct Tree {
    int cx, cy, r;
  };
  for (Tree tree :
       {Tree{13, 4, 4}, Tree{5, 5, 4}, Tree{9, 12, 4}, Tree{3, 15, 3}, Tree{14, 15, 3}}) {
    image.vline(tree.cx, tree.cy + tree.r, tree.cy + tree.r + 1, trunk);
    image.fillEllipse(tree.cx, tree.cy, tree.r, tree.r, canopy);
    image.hline(tree.cx - 1, tree.cx + 1, tree.cy + tree.r, shadow);
    image.set(tree.cx + tree.r - 1, tree.cy + 1, shadow);
    image.hline(tree.cx - 2, tree.cx - 1, tree.cy - tree.r + 1, light);
    image.set(tree.cx - tree.r + 1, tree.cy - 1, light);
  }
}

void paintHills(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{92, 150, 62});
  const Rgb hill{128, 146, 74};
  const Rgb light{162, 178, 98};
  const Rgb shade{98, 116, 54};
  hump(image, 6, 10, 7, 7, hill, light, shade);
  hump(image, 13, 18, 6, 6, hill, light, shade);
  image.set(2, 16, kGrassDark);
  image.set(15, 7, kGrassDark);
}

void paintMountains(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{100, 96, 88});
  const Rgb rock{122, 122, 128};
  const Rgb shade{82, 82, 90};
  const Rgb snow{240, 242, 248};
  image.fillTriangle(14, 7, 8, 21, 19, shade);
  image.fillTriangle(14, 7, 8, 14, 19, rock);
  image.fillTriangle(6, 1, -5, 17, 17, shade);
  image.fillTriangle(6, 1, -5, 6, 17, rock);
  image.fillTriangle(6, 1, 4, 8, 3, snow);
  image.fillTriangle(14, 7, 13, 15, 8, snow);
}

void paintSnow(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{238, 242, 248});
  const Rgb shadow{196, 212, 232};
  const Rgb sparkle{255, 255, 255};
  struct Drift {
    int x, y, w;
  };
  for (Drift d : {Drift{9, 3, 7}, Drift{1, 10, 6}, Drift{10, 15, 7}, Drift{2, 18, 4}}) {
    image.hline(d.x, d.x + d.w - 1, d.y, shadow);
    image.hline(d.x + 1, d.x + d.w - 3, d.y - 1, sparkle);
  }
}

void paintRocks(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{152, 142, 122});
  const Rgb stone{112, 106, 96};
  const Rgb light{188, 182, 168};
  const Rgb shadow{92, 86, 78};
  struct Rock {
    int x, y, w, h;
  };
  for (Rock r : {Rock{1, 1, 4, 3}, Rock{10, 2, 6, 4}, Rock{5, 9, 5, 4}, Rock{14, 10, 4, 3},
                 Rock{1, 14, 5, 4}, Rock{10, 15, 6, 4}}) {
    blob(image, r.x, r.y, r.w, r.h, stone);
    image.hline(r.x + 1, r.x + r.w - 2, r.y + r.h - 1, shadow);
    image.hline(r.x + 1, r.x + 2, r.y + 1, light);
  }
}

void paintRoad(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kGrass);
  image.fillRect(0, 3, kTileWidth, 14, Rgb{158, 128, 86});
  const Rgb edge{128, 100, 66};
  image.hline(0, kTileWidth - 1, 3, edge);
  image.hline(0, kTileWidth - 1, 16, edge);
  const Rgb rut{140, 112, 74};
  for (int x = 0; x < kTileWidth; x += 3) {
    image.set(x, 7, rut);
    image.set(x + 1, 12, rut);
  }
}

void paintBridge(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{60, 120, 200});
  image.fillRect(0, 3, kTileWidth, 14, Rgb{158, 104, 52});
  for (int x = 3; x < kTileWidth; x += 4) image.vline(x, 4, 15, Rgb{118, 76, 38});
  image.hline(0, kTileWidth - 1, 3, kDarkWood);
  image.hline(0, kTileWidth - 1, 16, kDarkWood);
}

void smallHouse(TileImage& image, int x, int y, int w, int roofRows, int wallRows) {
  image.fillRect(x, y, w, roofRows, kRoof);
  image.hline(x, x + w - 1, y, kRoofRidge);
  image.fillRect(x, y + roofRows, w, wallRows, kHouseWall);
  image.vline(x + w / 2, y + roofRows + 1, y + roofRows + wallRows - 1, kDarkWood);
}

void paintTown(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{168, 158, 138});
  smallHouse(image, 1, 2, 8, 5, 3);
  smallHouse(image, 11, 1, 6, 5, 3);
  smallHouse(image, 1, 12, 7, 4, 3);
  smallHouse(image, 10, 11, 7, 5, 4);
}

void paintHouse(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kGrass);
  image.fillTriangle(8, 0, -2, 18, 9, kRoof);
  image.vline(8, 0, 9, kRoofRidge);
  image.fillRect(2, 10, 14, 9, kHouseWall);
  image.fillRect(7, 13, 3, 6, Rgb{110, 70, 36});
  const Rgb window{120, 170, 220};
  image.fillRect(3, 12, 2, 2, window);
  image.fillRect(12, 12, 2, 2, window);
}

void paintCastle(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kGrass);
  image.fillRect(1, 3, 16, 16, kStone);
  const Rgb tower{110, 110, 120};
  image.fillRect(1, 1, 3, 18, tower);
  image.fillRect(14, 1, 3, 18, tower);
  for (int x = 5; x <= 11; x += 3) image.fillRect(x, 1, 2, 2, kStone);
  const Rgb dark{40, 32, 28};
  image.fillRect(7, 13, 4, 6, dark);
  image.hline(8, 9, 12, dark);
  image.vline(5, 9, 10, dark);
  image.vline(12, 9, 10, dark);
  image.hline(4, 13, 16, Rgb{104, 104, 114});
}

void paintCaveEntrance(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{124, 108, 92});
  const Rgb crack{96, 82, 70};
  image.set(2, 2, crack);
  image.set(3, 3, crack);
  image.set(13, 3, crack);
  image.set(14, 4, crack);
  image.set(15, 5, crack);
  image.hline(1, 3, 12, crack);
  const Rgb light{156, 140, 120};
  image.hline(8, 11, 1, light);
  image.hline(2, 4, 8, light);
  for (int y = 9; y < kTileHeight; ++y) {
    for (int x = 3; x <= 15; ++x) {
      long dx = x - 9, dy = y - 15;
      if (dy > 0 || dx * dx * 36 + dy * dy * 25 <= 900) image.set(x, y, Rgb{12, 10, 10});
    }
  }
}

void paintWell(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, kGrass);
  const Rgb stone{140, 140, 146};
  image.fillEllipse(9, 10, 7, 7, stone);
  image.fillEllipse(9, 10, 4, 4, Rgb{30, 60, 150});
  const Rgb mortar{100, 100, 106};
  const int joints[][2] = {{9, 4}, {3, 10}, {15, 10}, {9, 16}, {13, 6}, {5, 14}};
  for (const auto& p : joints) image.set(p[0], p[1], mortar);
}

void paintWall(TileImage& image) { bricks(image); }

void paintFloor(TileImage& image) { planks(image); }

void paintDoor(TileImage& image) {
  bricks(image);
  const Rgb frame{70, 50, 30};
  image.fillRect(2, 3, 14, 17, frame);
  image.fillRect(3, 4, 12, 16, Rgb{134, 84, 42});
  image.hline(5, 12, 2, frame);
  for (int x : {6, 10}) image.vline(x, 4, kTileHeight - 1, kDarkWood);
  image.set(12, 11, kGold);
}

// Five steps as horizontal bands, each with a dark edge, between two rails,
// and an arrow up (tip at the top) or down.
void stairs(TileImage& image, const Rgb* bands, bool up) {
  const Rgb edge{70, 60, 52};
  for (int y = 0; y < kTileHeight; ++y) {
    image.hline(0, kTileWidth - 1, y, y % 4 == 3 ? edge : bands[y / 4]);
  }
  image.fillRect(0, 0, 2, kTileHeight, edge);
  image.fillRect(16, 0, 2, kTileHeight, edge);
  const Rgb arrow{60, 40, 30};
  if (up) {
    image.fillTriangle(11, 3, 8, 14, 6, arrow);
    image.fillRect(10, 7, 3, 9, arrow);
  } else {
    image.fillTriangle(11, 16, 8, 14, 13, arrow);
    image.fillRect(10, 4, 3, 9, arrow);
  }
}

void paintStairsUp(TileImage& image) {
  const Rgb bands[] = {
      {230, 222, 208}, {200, 190, 176}, {174, 164, 150}, {148, 138, 126}, {122, 112, 102}};
  stairs(image, bands, true);
}

void paintStairsDown(TileImage& image) {
  const Rgb bands[] = {
      {176, 166, 152}, {150, 140, 126}, {118, 108, 98}, {86, 78, 70}, {48, 42, 36}};
  stairs(image, bands, false);
}

void paintChest(TileImage& image) {
  planks(image);
  const Rgb outline{70, 44, 20};
  image.fillRect(1, 3, 16, 15, outline);
  image.fillRect(2, 4, 14, 5, Rgb{158, 100, 40});
  image.fillRect(2, 10, 14, 7, Rgb{132, 82, 32});
  image.vline(4, 4, 16, kGold);
  image.vline(13, 4, 16, kGold);
  image.fillRect(8, 8, 2, 3, kGold);
}

void paintAltar(TileImage& image) {
  image.fillRect(0, 0, kTileWidth, kTileHeight, Rgb{150, 150, 160});
  const Rgb seam{120, 120, 132};
  image.hline(0, kTileWidth - 1, 18, seam);
  image.vline(8, 16, 19, seam);
  image.fillRect(2, 4, 14, 12, Rgb{222, 222, 228});
  image.fillRect(6, 8, 6, 8, Rgb{168, 30, 42});
  image.vline(8, 10, 13, kGold);
  image.hline(7, 10, 11, kGold);
  image.fillRect(1, 16, 16, 2, Rgb{186, 186, 194});
  const Rgb candle{240, 230, 180};
  const Rgb flame{250, 200, 60};
  for (int x : {3, 14}) {
    image.vline(x, 1, 3, candle);
    image.set(x, 0, flame);
  }
}

const std::vector<NamedTile> kNamedTiles = {
    {126, "deep water", {20, 50, 140}, paintDeepWater},
    {119, "shallow water", kShallowWater, paintShallowWater},
    {115, "sand, beach", {226, 206, 140}, paintSand},
    {100, "desert dunes", {222, 168, 88}, paintDesertDunes},
    {44, "grass", kGrass, paintGrass},
    {70, "farmland, fields", {206, 184, 72}, paintFarmland},
    {109, "marsh", {86, 112, 62}, paintMarsh},
    {84, "forest", {34, 122, 40}, paintForest},
    {110, "hills", {128, 146, 74}, paintHills},
    {77, "mountains", {122, 122, 128}, paintMountains},
    {42, "snow", {238, 242, 248}, paintSnow},
    {88, "rocks, rubble", {152, 142, 122}, paintRocks},
    {61, "road", {158, 128, 86}, paintRoad},
    {66, "bridge", {158, 104, 52}, paintBridge},
    {111, "town", kRoof, paintTown},
    {104, "house", kRoof, paintHouse},
    {67, "castle", kStone, paintCastle},
    {79, "cave entrance", {124, 108, 92}, paintCaveEntrance},
    {87, "well", {140, 140, 146}, paintWell},
    {35, "wall", kBrick, paintWall},
    {46, "floor", kPlank, paintFloor},
    {43, "door", {134, 84, 42}, paintDoor},
    {60, "stairs up", {200, 190, 176}, paintStairsUp},
    {62, "stairs down", {150, 140, 126}, paintStairsDown},
    {99, "chest", {158, 100, 40}, paintChest},
    {97, "altar", {222, 222, 228}, paintAltar},
};

// Digits of 4 x 7 pixels, '#' set, for the plain tiles' code numbers.
const char* const kDigits[10][7] = {
    {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
    {"..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"},
    {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
    {"###.", "...#", "...#", ".##.", "...#", "...#", "###."},
    {"#..#", "#..#", "#..#", "####", "...#", "...#", "...#"},
    {"####", "#...", "###.", "...#", "...#", "#..#", ".##."},
    {".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."},
    {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."},
};
constexpr int kDigitWidth = 4;
constexpr int kDigitHeight = 7;

TileImage paintPlainTile(TileCode code) {
  const Rgb background{44, 48, 60};
  const Rgb ink{208, 212, 222};
  TileImage image(kTileWidth, kTileHeight, background);
  std::string number = std::to_string(code);
  int width = static_cast<int>(number.size()) * (kDigitWidth + 1) - 1;
  int left = (kTileWidth - width) / 2;
  int top = (kTileHeight - kDigitHeight) / 2;
  for (std::size_t i = 0; i < number.size(); ++i) {
    const char* const* glyph = kDigits[number[i] - '0'];
    int x0 = left + static_cast<int>(i) * (kDigitWidth + 1);
    for (int y = 0; y < kDigitHeight; ++y)
      for (int x = 0; x < kDigitWidth; ++x)
        if (glyph[y][x] == '#') image.set(x0 + x, top + y, ink);
  }
  return image;
}

}  // namespace

const std::vector<NamedTile>& namedTiles() { return kNamedTiles; }

const NamedTile* findNamedTile(TileCode code) {
  for (const NamedTile& tile : kNamedTiles) {
    if (tile.code == code) return &tile;
  }
  return nullptr;
}

TileImage paintTile(TileCode code) {
  const NamedTile* named = findNamedTile(code);
  if (!named) return paintPlainTile(code);
  TileImage image(kTileWidth, kTileHeight, named->dominant);
  named->paint(image);
  return image;
}

}  // namespace vek
