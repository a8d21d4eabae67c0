// The document's history and unsaved marker, and openings that fail.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "map/map_document.h"
#include "map/map_file.h"
#include "map/map_naming.h"
#include "temp_dir.h"

namespace vek {
namespace {

// One action on a document and what must hold after it: cell (0, 0), the
// unsaved marker and how many steps can be undone and redone.
struct Step {
  char action;  // 'p' paint the next letter, 'n' a change that changes nothing,
                // 'u' undo, 'r' redo, 's' save, 'o' open the file again
  TileCode cell;
  bool modified;
  std::size_t undos;
  std::size_t redos;
};

struct Sequence {
  const char* name;
  std::vector<Step> steps;
};

TEST(MapDocumentHistory, FollowsTheRulesOfUndoRedoAndTheSavedPoint) {
  const Sequence sequences[] = {
      {"undo and redo one step each",
       {{'p', 'a', true, 1, 0}, {'p', 'b', true, 2, 0}, {'u', 'a', true, 1, 1},
        {'u', 0, false, 0, 2}, {'u', 0, false, 0, 2}, {'r', 'a', true, 1, 1},
        {'r', 'b', true, 2, 0}, {'r', 'b', true, 2, 0}}},
      {"a change that changes nothing is no step",
       {{'n', 0, false, 0, 0}, {'p', 'a', true, 1, 0}, {'n', 'a', true, 1, 0}}},
      {"a new change after an undo drops the redo steps",
       {{'p', 'a', true, 1, 0}, {'p', 'b', true, 2, 0}, {'u', 'a', true, 1, 1},
        {'p', 'c', true, 2, 0}, {'r', 'c', true, 2, 0}}},
      {"undoing back to the saved state clears the marker, and past it sets it",
       {{'p', 'a', true, 1, 0}, {'s', 'a', false, 1, 0}, {'p', 'b', true, 2, 0},
        {'u', 'a', false, 1, 1}, {'u', 0, true, 0, 2}, {'r', 'a', false, 1, 1}}},
      {"the saved state dropped with the redo steps stays unsaved",
       {{'p', 'a', true, 1, 0}, {'s', 'a', false, 1, 0}, {'u', 0, true, 0, 1},
        {'p', 'b', true, 1, 0}}},
      {"opening starts a new history, saved",
       {{'p', 'a', true, 1, 0}, {'s', 'a', false, 1, 0}, {'p', 'b', true, 2, 0},
        {'o', 'a', false, 0, 0}, {'u', 'a', false, 0, 0}}},
  };
  for (const Sequence& sequence : sequences) {
    SCOPED_TRACE(sequence.name);
    test::TempDir dir;
    MapDocument document;
    ASSERT_TRUE(document.open(dir.file("A.MAP")).opened);
    TileCode next = 'a';
    int index = 0;
    for (const Step& step : sequence.steps) {
      SCOPED_TRACE(index++);
      switch (step.action) {
        case 'p': document.apply([&](Map& map) { map.setTile(0, 0, next++); }); break;
        case 'n': document.apply([&](Map& map) { map.setTile(0, 0, map.getTile(0, 0)); }); break;
        case 'u': document.undo(); break;
        case 'r': document.redo(); break;
        case 's': ASSERT_TRUE(document.save()); break;
        case 'o': ASSERT_TRUE(document.open(document.path()).opened); break;
      }
      EXPECT_EQ(document.map().getTile(0, 0), step.cell);
      EXPECT_EQ(document.isModified(), step.modified);
      EXPECT_EQ(document.history().undoCount(), step.undos);
      EXPECT_EQ(document.history().redoCount(), step.redos);
    }
  }
}

TEST(MapDocumentHistory, KeepsAThousandStepsAndAStrokeIsOne) {
  MapDocument document;
  for (int i = 0; i < 1005; ++i) {
    document.apply([i](Map& map) { map.setTile(i % 48, 0, static_cast<TileCode>(1 + i % 200)); });
  }
  EXPECT_EQ(document.history().undoCount(), 1000u);
  int undone = 0;
  while (document.undo()) ++undone;
  EXPECT_EQ(undone, 1000);
  EXPECT_TRUE(document.isModified()) << "the first five steps are forgotten";

  // Painting over several calls is one step, marked while it is open.
  MapDocument stroke;
  for (int column = 0; column < 5; ++column) stroke.beginStep().setTile(column, 3, 'x');
  EXPECT_TRUE(stroke.isModified());
  EXPECT_TRUE(stroke.endStep());
  EXPECT_EQ(stroke.history().undoCount(), 1u);
  stroke.undo();
  for (int column = 0; column < 5; ++column) EXPECT_EQ(stroke.map().getTile(column, 3), 0);
}

TEST(MapDocumentOpening, AFileThatCannotBeAMapChangesNothing) {
  test::TempDir dir;
  ASSERT_TRUE(test::writeFileBytes(dir.file("BIG.MAP"),
                                   std::string(kMapBytesConsumedAtMost + 1, ' ')));
  struct Case {
    std::string path;
    std::string reasonStart;
  };
  const Case cases[] = {
      {dir.path(), "it is a folder"},
      {dir.file("BIG.MAP"), "it is larger than a map file can be"},
      {std::string(kPathCapacity, 'x'), "the path is too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reasonStart);
    MapDocument document;
    ASSERT_TRUE(document.open(dir.file("A.MAP")).opened);
    document.apply([](Map& map) {
      map.setTile(1, 1, 'k');
      map.addTeleport(2, 2, "KEEP");
    });
    OpenResult result = document.open(c.path);
    EXPECT_FALSE(result.opened);
    EXPECT_EQ(result.reason.rfind(c.reasonStart, 0), 0u) << result.reason;
    EXPECT_EQ(document.path(), dir.file("A.MAP"));
    EXPECT_EQ(document.map().getTile(1, 1), 'k');
    EXPECT_EQ(document.map().teleportCount(), 1);
    EXPECT_EQ(document.history().undoCount(), 1u);
  }
  // A map without a file yet starts empty: no teleports of the one before.
  MapDocument document;
  document.apply([](Map& map) { map.addTeleport(2, 2, "OLD"); });
  OpenResult result = document.open(dir.file("NEW.MAP"));
  EXPECT_TRUE(result.opened);
  EXPECT_FALSE(result.existed);
  EXPECT_EQ(document.map().teleportCount(), 0);
  EXPECT_FALSE(document.isModified());
}

}  // namespace
}  // namespace vek
