#include "bench_report.h"

#include <optional>
#include <string>

#include "bench_cases.h"

namespace vek::bench {
namespace {

struct CaseRow {
  const char* name;
  const char* what;
};

// In the order of the table. settile_call is derived, not run.
constexpr CaseRow kRows[] = {
    {"floor_pass_16", "clear the back buffer, copy it to the screen (16 bpp)"},
    {"floor_pass_32", "the same at 32 bpp"},
    {"edit_pass_16", "one pass in Edit: varied tiles, 20 teleports, mouse on map"},
    {"edit_pass_32", "the same at 32 bpp"},
    {"edit_tools_pass_16", "Edit pass with a selection and a 12 x 8 paste preview"},
    {"edit_tools_pass_32", "the same at 32 bpp"},
    {"world_pass_16", "one pass in WorldView on the sample world (16 bpp)"},
    {"world_pass_32", "the same at 32 bpp"},
    {"world_picture_16", "drawing the world picture pixel by pixel (16 bpp)"},
    {"world_picture_32", "the same at 32 bpp"},
    {"startup_decode_16", "open data.dat with preload, decode 256 pictures"},
    {"pack_png_256", "vekpack's work for 256 PNG tiles: BMP entries, archive"},
    {"world_fill", "read the 400 sample maps into the world model"},
    {"world_check", "vekworld check of the sample world and its local maps"},
    {"world_render_cell", "vekworld render of the sample world, one pixel a cell"},
    {"world_render_tile", "the same with every cell's tile picture (17280 x 9600)"},
    {"script_cells", "script: settile and gettile on each of 460,800 cells"},
    {"script_loop", "script: the same loops without the calls"},
    {"script_run", "script run alone: the sample world script"},
    {"saves_400", "400 safe saves alone, each replacing a map"},
    {"saves_400_new", "400 safe saves alone, into an empty folder"},
    {"world_generate", "GENERATE WORLD MAP end to end (script + 400 saves)"},
    {"flood_fill", "bucket fill of a whole one-code map"},
    {"map_load", "load one map file"},
    {"map_save", "save one map file"},
    {"undo_redo", "UNDO then REDO of a step that changed every cell"},
};

// The keys of the JSON object, in the published order.
constexpr const char* kJsonKeys[] = {
    "floor_pass_16", "floor_pass_32",     "edit_pass_16", "edit_pass_32",
    "world_pass_16", "world_pass_32",     "startup_decode_16", "pack_png_256", "world_fill",
    "settile_call",  "world_generate",    "map_load",     "map_save",
    "world_check",   "flood_fill",  "undo_redo",   "world_render_cell", "world_render_tile",
};

std::string formatDuration(double nanoseconds) {
  char text[32];
  if (nanoseconds < 1e3) {
    std::snprintf(text, sizeof text, "%.1f ns", nanoseconds);
  } else if (nanoseconds < 1e6) {
    std::snprintf(text, sizeof text, "%.1f us", nanoseconds / 1e3);
  } else if (nanoseconds < 1e9) {
    std::snprintf(text, sizeof text, "%.2f ms", nanoseconds / 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.3f s", nanoseconds / 1e9);
  }
  return text;
}

std::optional<CaseMedians> find(const MedianReporter& results, const char* name) {
  CaseMedians medians;
  if (!results.medians(name, medians)) return std::nullopt;
  return medians;
}

// One settile or gettile call: the cells script less its bare loops, over
// its 921,600 calls.
std::optional<CaseMedians> settileCall(const MedianReporter& results) {
  std::optional<CaseMedians> cells = find(results, "script_cells");
  std::optional<CaseMedians> loop = find(results, "script_loop");
  if (!cells || !loop) return std::nullopt;
  CaseMedians call = *cells;
  call.cpuNanoseconds = (cells->cpuNanoseconds - loop->cpuNanoseconds) / kCellsScriptCalls;
  call.wallNanoseconds = (cells->wallNanoseconds - loop->wallNanoseconds) / kCellsScriptCalls;
  return call;
}

std::optional<CaseMedians> medianOf(const MedianReporter& results, const char* name) {
  if (std::string(name) == "settile_call") return settileCall(results);
  return find(results, name);
}

std::optional<double> cpu(const MedianReporter& results, const char* name) {
  std::optional<CaseMedians> medians = medianOf(results, name);
  if (!medians) return std::nullopt;
  return medians->cpuNanoseconds;
}

void printRatio(std::FILE* out, const char* label, std::optional<double> top,
                std::optional<double> bottom, std::optional<double> limit) {
  if (!top || !bottom || *bottom <= 0) {
    std::fprintf(out, "  %-52s  (not measured)\n", label);
    return;
  }
  double ratio = *top / *bottom;
  if (limit) {
    std::fprintf(out, "  %-52s %6.2f   target <= %.1f: %s\n", label, ratio, *limit,
                 ratio <= *limit ? "met" : "MISSED");
  } else {
    std::fprintf(out, "  %-52s %6.2f\n", label, ratio);
  }
}

void printLimit(std::FILE* out, const char* label, std::optional<double> value, double limit) {
  if (!value) {
    std::fprintf(out, "  %-52s  (not measured)\n", label);
    return;
  }
  std::fprintf(out, "  %-52s %10s   target < %s: %s\n", label, formatDuration(*value).c_str(),
               formatDuration(limit).c_str(), *value < limit ? "met" : "MISSED");
}

}  // namespace

void printTable(std::FILE* out, const MedianReporter& results, const ReportHeading& heading) {
  if (heading.quick) {
    std::fprintf(out, "vekbench --quick: a few iterations per case, one repetition; "
                      "the figures are rough\n\n");
  } else {
    std::fprintf(out, "vekbench: median over %d repetitions of the time per iteration; "
                      "CPU is this process's CPU time, wall includes waiting for other load\n\n",
                 heading.repetitions);
  }
  std::fprintf(out, "%-18s %-60s %11s %11s %23s\n", "case", "what", "CPU", "wall",
               "CPU fastest - slowest");
  for (const CaseRow& row : kRows) {
    std::optional<CaseMedians> medians = find(results, row.name);
    if (!medians) {
      std::fprintf(out, "%-18s %-60s %11s\n", row.name, row.what, "(not run)");
      continue;
    }
    std::fprintf(out, "%-18s %-60s %11s %11s %11s - %-11s\n", row.name, row.what,
                 formatDuration(medians->cpuNanoseconds).c_str(),
                 formatDuration(medians->wallNanoseconds).c_str(),
                 formatDuration(medians->cpuLowest).c_str(),
                 formatDuration(medians->cpuHighest).c_str());
  }
  if (std::optional<CaseMedians> call = settileCall(results)) {
    std::optional<CaseMedians> cells = find(results, "script_cells");
    std::fprintf(out, "%-18s %-60s %11s %11s\n", "settile_call",
                 "one settile/gettile call: (cells - loop) / 921,600",
                 formatDuration(call->cpuNanoseconds).c_str(),
                 formatDuration(call->wallNanoseconds).c_str());
    std::fprintf(out, "%-18s %-60s %7.1f M/s\n", "",
                 "calls per second of the cells script, loop and set-up included",
                 kCellsScriptCalls / cells->cpuNanoseconds * 1e3);
  }

  std::fprintf(out, "\nratios (CPU medians)\n");
  for (const char* depth : {"16", "32"}) {
    std::string edit = std::string("edit_pass_") + depth;
    std::string floor = std::string("floor_pass_") + depth;
    std::string world = std::string("world_pass_") + depth;
    printRatio(out, ("Edit pass / floor, " + std::string(depth) + " bpp").c_str(),
               cpu(results, edit.c_str()), cpu(results, floor.c_str()), 6.0);
    std::string tools = std::string("edit_tools_pass_") + depth;
    printRatio(out, ("Edit pass with tool marks / floor, " + std::string(depth) + " bpp").c_str(),
               cpu(results, tools.c_str()), cpu(results, floor.c_str()), 6.0);
    printRatio(out, ("WorldView pass / Edit pass, " + std::string(depth) + " bpp").c_str(),
               cpu(results, world.c_str()), cpu(results, edit.c_str()), 1.5);
  }
  std::optional<double> run = cpu(results, "script_run");
  std::optional<double> saves = cpu(results, "saves_400");
  std::optional<double> parts;
  if (run && saves) parts = *run + *saves;
  printRatio(out, "world generation / (script run + 400 saves)", cpu(results, "world_generate"),
             parts, std::nullopt);

  std::fprintf(out, "\ntargets (CPU medians)\n");
  printLimit(out, "start-up decoding of 256 pictures", cpu(results, "startup_decode_16"), 16e6);
  printLimit(out, "packing 256 PNG tiles", cpu(results, "pack_png_256"), 200e6);
  printLimit(out, "world grid fill", cpu(results, "world_fill"), 16e6);
  printLimit(out, "check of the sample world", cpu(results, "world_check"), 100e6);
  printLimit(out, "world picture file, one pixel a cell", cpu(results, "world_render_cell"), 50e6);
  printLimit(out, "world picture file, tile pictures", cpu(results, "world_render_tile"), 2e9);
  printLimit(out, "settile call", cpu(results, "settile_call"), 100);
  printLimit(out, "GENERATE WORLD MAP with 400 saves", cpu(results, "world_generate"), 0.5e9);
  printLimit(out, "flood fill of a whole map", cpu(results, "flood_fill"), 100e3);
  printLimit(out, "undo and redo of a full-map step", cpu(results, "undo_redo"), 50e3);
}

void printJson(std::FILE* out, const MedianReporter& results) {
  std::fprintf(out, "{");
  const char* separator = "";
  for (const char* key : kJsonKeys) {
    std::optional<double> value = cpu(results, key);
    if (value) {
      std::fprintf(out, "%s\"%s\": %.1f", separator, key, *value);
    } else {
      std::fprintf(out, "%s\"%s\": null", separator, key);
    }
    separator = ", ";
  }
  std::fprintf(out, "}\n");
}

}  // namespace vek::bench
