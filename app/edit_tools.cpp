#include "app/edit_tools.h"

#include "map/cell_line.h"
#include "map/region_fill.h"

namespace vek {

const char* toolName(Tool tool) {
  switch (tool) {
    case Tool::Pencil:
      return "PENCIL";
    case Tool::Fill:
      return "FILL";
    case Tool::Rectangle:
      return "RECTANGLE";
    case Tool::Select:
      return "SELECT";
  }
  return "";
}

void EditTools::choose(Tool tool, MapDocument& document) {
  if (drag_) endDrag(document);
  if (tool != active_) selection_.reset();
  active_ = tool;
}

void EditTools::press(MapDocument& document, Cell cell, TileCode selected, bool shift) {
  if (drag_) endDrag(document);
  if (pasting_) {
    document.apply([&](Map& map) { copied_.pasteInto(map, cell); });
    pasting_ = false;
    return;
  }
  switch (active_) {
    case Tool::Pencil:
      // The stroke's step stays open until the button is let go.
      document.beginStep().setTile(cell.column, cell.row, selected);
      break;
    case Tool::Fill:
      if (!isStoredCell(document.map(), cell)) return;
      document.apply([&](Map& map) {
        if (shift) {
          replaceCode(map, map.getTile(cell.column, cell.row), selected);
        } else {
          floodFill(map, cell, selected);
        }
      });
      return;
    case Tool::Rectangle:
      break;
    case Tool::Select:
      selection_ = CellRect::spanning(cell, cell);
      break;
  }
  drag_ = Drag{active_, cell, cell, true};
}

void EditTools::drag(MapDocument& document, Cell cell, bool overMap, TileCode selected) {
  if (!drag_) return;
  switch (drag_->tool) {
    case Tool::Pencil:
      if (overMap && drag_->overMap && cell != drag_->last) {
        Map& map = document.beginStep();
        for (Cell on : cellsOnLine(drag_->last, cell)) map.setTile(on.column, on.row, selected);
      } else if (overMap && !drag_->overMap) {
        document.beginStep().setTile(cell.column, cell.row, selected);
      }
      drag_->overMap = overMap;
      break;
    case Tool::Select:
      selection_ = CellRect::spanning(drag_->start, cell);
      break;
    case Tool::Fill:
    case Tool::Rectangle:
      break;
  }
  drag_->last = cell;
}

void EditTools::release(MapDocument& document, TileCode selected) {
  if (!drag_) return;
  Drag ended = *drag_;
  drag_.reset();
  if (ended.tool == Tool::Rectangle) {
    document.apply([&](Map& map) { fillRect(map, CellRect::spanning(ended.start, ended.last), selected); });
  } else if (ended.tool == Tool::Pencil) {
    document.endStep();
  }
}

void EditTools::endDrag(MapDocument& document) {
  if (drag_ && drag_->tool == Tool::Pencil) document.endStep();
  drag_.reset();
}

std::optional<CellRect> EditTools::rectangleUnderWay() const {
  if (!drag_ || drag_->tool != Tool::Rectangle) return std::nullopt;
  return CellRect::spanning(drag_->start, drag_->last);
}

void EditTools::copySelection(const Map& map) {
  if (selection_) copied_ = TileBlock::copiedFrom(map, *selection_);
}

void EditTools::cutSelection(MapDocument& document) {
  copySelection(document.map());
  deleteSelection(document);
}

void EditTools::deleteSelection(MapDocument& document) {
  if (!selection_) return;
  CellRect cells = *selection_;
  document.apply([&](Map& map) { fillRect(map, cells, 0); });
}

void EditTools::startPaste() {
  if (!copied_.empty()) pasting_ = true;
}

bool EditTools::cancel(MapDocument& document) {
  if (drag_) {
    bool selecting = drag_->tool == Tool::Select;
    endDrag(document);
    if (selecting) selection_.reset();
    return true;
  }
  if (pasting_) {
    pasting_ = false;
    return true;
  }
  if (selection_) {
    selection_.reset();
    return true;
  }
  return false;
}

void EditTools::mapOpened() {
  drag_.reset();
  selection_.reset();
}

std::string EditTools::status() const {
  auto withSize = [](std::string text, int width, int height) {
    return text + " " + std::to_string(width) + " x " + std::to_string(height);
  };
  if (pasting_) return withSize("PASTE", copied_.width(), copied_.height());
  std::optional<CellRect> cells = rectangleUnderWay();
  if (!cells && active_ == Tool::Select) cells = selection_;
  if (!cells) return toolName(active_);
  return withSize(toolName(active_), cells->width(), cells->height());
}

}  // namespace vek
