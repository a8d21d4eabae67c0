#pragma once

// The editing tools of the map area and what they hold between passes: the
// active tool, a drag under way, the selection, the copied block and its
// paste preview. Every change goes through the document, one undo step per
// stroke, fill, rectangle, cut, delete and paste.

#include <optional>
#include <string>

#include "map/cell_rect.h"
#include "map/map_document.h"
#include "map/tile_block.h"

namespace vek {

enum class Tool { Pencil, Fill, Rectangle, Select };

class EditTools {
 public:
  Tool active() const { return active_; }
  // Makes tool the active one; a drag under way ends as Escape ends it, and
  // a selection is dropped.
  void choose(Tool tool, MapDocument& document);

  // The left button went down on a stored or unstored cell of the map
  // area: the paste preview places its block there, else the active tool
  // starts. shift: the fill replaces the code everywhere.
  void press(MapDocument& document, Cell cell, TileCode selected, bool shift);
  // The left button is still held and the mouse is over cell (for the
  // rectangle and the selection, the nearest cell when it is outside).
  void drag(MapDocument& document, Cell cell, bool overMap, TileCode selected);
  // The left button was let go.
  void release(MapDocument& document, TileCode selected);
  bool dragging() const { return drag_.has_value(); }

  // Ctrl+C, Ctrl+X, Delete: on the selection, if there is one.
  void copySelection(const Map& map);
  void cutSelection(MapDocument& document);
  void deleteSelection(MapDocument& document);
  // Ctrl+V: the copied block follows the mouse until a click places it.
  void startPaste();
  bool pasting() const { return pasting_; }
  const TileBlock& copied() const { return copied_; }
  const std::optional<CellRect>& selection() const { return selection_; }
  // The rectangle a rectangle drag would fill now.
  std::optional<CellRect> rectangleUnderWay() const;

  // Escape: ends the first of a drag, the paste preview and the selection
  // that is under way; false when none was. A pencil stroke keeps what it
  // painted; a rectangle fills nothing.
  bool cancel(MapDocument& document);
  // Another map was opened: the selection and a drag end (the copied block
  // and its preview stay, to be placed on the new map).
  void mapOpened();

  // The status line: the tool's name and, while selecting or dragging a
  // rectangle, its size in cells ("SELECT 5 x 3").
  std::string status() const;

 private:
  struct Drag {
    Tool tool;
    Cell start;
    Cell last;
    bool overMap;  // a pencil draws its line only from a cell of the map
  };

  void endDrag(MapDocument& document);

  Tool active_ = Tool::Pencil;
  std::optional<Drag> drag_;
  std::optional<CellRect> selection_;
  TileBlock copied_;  // kept when another map is opened
  bool pasting_ = false;
};

// The letter key that chooses each tool and the name the status line shows.
const char* toolName(Tool tool);

}  // namespace vek
