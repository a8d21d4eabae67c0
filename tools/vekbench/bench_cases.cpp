#include "bench_cases.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/screen_layout.h"
#include "map/world.h"
#include "map/world_check.h"
#include "app/world_picture.h"
#include "map/map.h"
#include "default_tile_set.h"
#include "map/map_document.h"
#include "map/map_naming.h"
#include "map/region_fill.h"
#include "png_entry.h"
#include "resources/archive_writer.h"
#include "resources/bmp_decoder.h"
#include "resources/png_writer.h"
#include "resources/tile_pictures.h"
#include "resources/tile_set.h"
#include "resources/world_picture_file.h"
#include "script/generation_commands.h"
#include "script/script_grid.h"
#include "script/script_host.h"

namespace vek::bench {
namespace {

using benchmark::State;

// A heavy case takes a large part of a second per iteration: one iteration
// per repetition is enough.
enum class Weight { Light, Heavy };

void configure(benchmark::internal::Benchmark* bench, Weight weight, const RunPlan& plan) {
  bench->Unit(benchmark::kMicrosecond);
  if (plan.quick) {
    bench->Iterations(weight == Weight::Heavy ? 1 : 3)->Repetitions(1);
  } else {
    bench->MinTime(weight == Weight::Heavy ? 0.01 : plan.minSeconds)
        ->Repetitions(plan.repetitions);
  }
}

void add(const std::string& name, Weight weight, const RunPlan& plan,
         std::function<void(State&)> body) {
  configure(benchmark::RegisterBenchmark(name.c_str(), std::move(body)), weight, plan);
}

// A script host whose dialog always picks one script file, on a grid of
// its own.
struct ScriptRunner {
  explicit ScriptRunner(const std::string& scriptPath)
      : grid(std::make_unique<ScriptGrid>()), host(*grid, platform.services) {
    platform.files.answerWith(scriptPath);
  }
  // One run from the same seed, so every run does the same work.
  bool run() {
    std::srand(kWorldSeed);
    return host.runScript();
  }

  BenchPlatform platform;
  std::unique_ptr<ScriptGrid> grid;
  ScriptHost host;
};

void addPassCases(BenchWorld& world, BenchEditors& editors, const RunPlan& plan) {
  for (int depth : {16, 32}) {
    std::string suffix = "_" + std::to_string(depth);
    BenchEditor& editor = editors.at(depth);

    // The least a full-frame redraw costs: clear the back buffer, copy it out.
    add("floor_pass" + suffix, Weight::Light, plan, [&editor](State& state) {
      editor.activate();
      BITMAP* back = editor.app().frame();
      for (auto _ : state) {
        clear_bitmap(back);
        blit(back, screen, 0, 0, 0, 0, screen->w, screen->h);
      }
    });

    add("edit_pass" + suffix, Weight::Light, plan, [&editor](State& state) {
      editor.activate();
      EditorApp& app = editor.app();
      app.context().state.mode = EditorMode::Edit;
      for (auto _ : state) app.runPass();
    });

    // The same with the editing tools' marks: a 10 x 6 selection outlined
    // and a copied 12 x 8 block following the mouse as a paste preview.
    add("edit_tools_pass" + suffix, Weight::Light, plan, [&editor](State& state) {
      editor.activate();
      EditorApp& app = editor.app();
      EditTools& tools = app.context().state.tools;
      tools.choose(Tool::Select, app.context().document);
      tools.press(app.context().document, Cell{2, 2}, 0, false);
      tools.drag(app.context().document, Cell{13, 9}, true, 0);
      tools.release(app.context().document, 0);
      tools.copySelection(app.document().map());
      tools.press(app.context().document, Cell{30, 4}, 0, false);
      tools.drag(app.context().document, Cell{39, 9}, true, 0);
      tools.release(app.context().document, 0);
      tools.startPaste();
      for (auto _ : state) app.runPass();
      tools.cancel(app.context().document);
      tools.choose(Tool::Pencil, app.context().document);
    });

    // VIEW WORLD MAP once, and one pass to show it, before the timed passes.
    add("world_pass" + suffix, Weight::Light, plan, [&editor, &world](State& state) {
      editor.activate();
      EditorApp& app = editor.app();
      app.context().document.open(world.sample.wildernessPath);
      viewWorldMap(app.context());
      app.runPass();
      for (auto _ : state) app.runPass();
      app.context().state.mode = EditorMode::Edit;
    });

    // What VIEW WORLD MAP adds to its fill: the picture drawn pixel by pixel.
    add("world_picture" + suffix, Weight::Light, plan, [&editor, &world](State& state) {
      editor.activate();
      EditorApp& app = editor.app();
      app.context().world.open(world.worldFolder);
      app.context().world.loadWilderness();
      BITMAP* picture = create_bitmap(layout::kMapAreaWidth, layout::kMapAreaHeight);
      if (!picture) {
        state.SkipWithError("no memory for the picture");
        return;
      }
      for (auto _ : state) drawWorldPicture(picture, app.world(), app.tiles());
      destroy_bitmap(picture);
    });
  }
}

// Each default tile decoded and written as a PNG file into folder; the
// files' bytes in pngs.
bool writeTilePngs(const std::string& folder, std::vector<std::string>& pngs) {
  for (const TileFile& tile : defaultTileFiles()) {
    RasterImage image;
    std::string reason;
    if (!decodeBmp(reinterpret_cast<const unsigned char*>(tile.bytes.data()), tile.bytes.size(),
                   image, reason)) {
      return false;
    }
    std::string rgb = image.rgbBytes();
    std::string path = folder + "tile-" + std::to_string(tile.code) + ".png";
    if (!writePngFile(path, image.width, image.height,
                      reinterpret_cast<const unsigned char*>(rgb.data()), reason)) {
      return false;
    }
    std::ifstream in(path, std::ios::binary);
    pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return true;
}

void addResourceCases(BenchWorld& world, const RunPlan& plan) {
  add("startup_decode_16", Weight::Light, plan, [&world](State& state) {
    set_color_depth(16);
    for (auto _ : state) {
      std::unique_ptr<DataArchive> archive = openTileArchive(world.archivePath.c_str());
      TileSet tiles;
      benchmark::DoNotOptimize(tiles.load(*archive));
    }
  });

  // The default tiles as PNG files, written once, then read into memory:
  // the case times turning them into BMP entries and building the archive.
  auto pngs = std::make_shared<std::vector<std::string>>();
  add("pack_png_256", Weight::Light, plan, [&world, pngs](State& state) {
    if (pngs->empty() && !writeTilePngs(world.root, *pngs)) {
      state.SkipWithError("cannot write the PNG tiles");
      return;
    }
    for (auto _ : state) {
      ArchiveWriter archive;
      std::string bmp, reason, built;
      for (std::size_t i = 0; i < pngs->size(); ++i) {
        if (!bmpEntryFromPng((*pngs)[i], bmp, reason)) state.SkipWithError(reason.c_str());
        archive.add(std::to_string(i) + ".bmp", bmp);
      }
      benchmark::DoNotOptimize(archive.build(built));
    }
  });

  add("world_fill", Weight::Light, plan, [&world](State& state) {
    World folder(world.worldFolder);
    for (auto _ : state) {
      folder.open(world.worldFolder);
      benchmark::DoNotOptimize(folder.loadWilderness());
    }
  });

  // vekworld check: every map of the sample world read, every teleport
  // followed, every map traced back to the wilderness.
  add("world_check", Weight::Light, plan, [&world](State& state) {
    for (auto _ : state) {
      WorldCheck check = checkWorld(world.worldFolder);
      if (check.mapFiles < kWorldSide * kWorldSide) {
        state.SkipWithError("the sample world was not read");
        break;
      }
    }
  });

  // The bucket fill at its largest: every cell of a one-code map, each
  // iteration to the other of two codes.
  add("flood_fill", Weight::Light, plan, [](State& state) {
    Map map;
    TileCode code = 1;
    for (auto _ : state) {
      benchmark::DoNotOptimize(floodFill(map, Cell{24, 12}, code));
      code ^= 3;
    }
  });
  // vekworld render: the sample world as one PNG file, one pixel a cell and
  // every cell's tile picture.
  for (WorldPictureScale scale : {WorldPictureScale::Cell, WorldPictureScale::Tile}) {
    bool tile = scale == WorldPictureScale::Tile;
    add(tile ? "world_render_tile" : "world_render_cell", tile ? Weight::Heavy : Weight::Light,
        plan, [&world, scale](State& state) {
          DataArchive archive(world.archivePath.c_str());
          archive.open(1);
          TilePictures tiles;
          tiles.load(archive);
          World sample(world.worldFolder);
          std::string path = world.root + "world.png";
          std::string reason;
          for (auto _ : state) {
            WorldPictureOptions options;
            options.scale = scale;
            if (!writeWorldPicture(sample, tiles, options, path, reason)) {
              state.SkipWithError(reason.c_str());
              break;
            }
          }
          std::remove(path.c_str());
        });
  }

  add("map_load", Weight::Light, plan, [&world](State& state) {
    Map map;
    for (auto _ : state) benchmark::DoNotOptimize(map.load(world.sample.wildernessPath.c_str()));
  });

  // UNDO then REDO of a step that changed every cell of the map.
  add("undo_redo", Weight::Light, plan, [](State& state) {
    MapDocument document;
    document.apply([](Map& map) {
      for (int row = 0; row < Map::kRows; ++row)
        for (int column = 0; column < Map::kColumns; ++column)
          map.setTile(column, row, static_cast<TileCode>(1 + (row * Map::kColumns + column) % 255));
    });
    for (auto _ : state) {
      document.undo();
      document.redo();
    }
    if (document.map().getTile(0, 0) != 1) state.SkipWithError("undo and redo lost the step");
  });

  add("map_save", Weight::Light, plan, [&world](State& state) {
    Map map(world.sample.wildernessPath.c_str());
    std::string path = world.savesFolder + "ONE.MAP";
    for (auto _ : state) benchmark::DoNotOptimize(map.save(path.c_str()));
  });
}

void addScriptCase(const std::string& name, Weight weight, const std::string& script,
                   const RunPlan& plan) {
  add(name, weight, plan, [script](State& state) {
    ScriptRunner runner(script);
    for (auto _ : state) {
      if (!runner.run()) {
        state.SkipWithError(("the script " + script + " did not run").c_str());
        break;
      }
    }
  });
}

void addScriptCases(BenchWorld& world, const RunPlan& plan) {
  addScriptCase("script_cells", Weight::Heavy, world.cellsScript, plan);
  addScriptCase("script_loop", Weight::Heavy, world.loopScript, plan);
  addScriptCase("script_run", Weight::Heavy, world.worldScript, plan);

  // The 400 saves of a world generation alone, from a grid the world
  // script has filled.
  add("saves_400", Weight::Heavy, plan, [&world](State& state) {
    ScriptRunner runner(world.worldScript);
    if (!runner.run()) {
      state.SkipWithError("the world script did not run");
      return;
    }
    for (auto _ : state) {
      if (!saveWildernessMaps(*runner.grid, world.savesFolder).ok()) {
        state.SkipWithError("a map was not saved");
        break;
      }
    }
  });

  // The same saves into a new, empty folder each time: no file is replaced,
  // so what replacing costs the file system shows as the difference.
  add("saves_400_new", Weight::Heavy, plan, [&world](State& state) {
    ScriptRunner runner(world.worldScript);
    if (!runner.run()) {
      state.SkipWithError("the world script did not run");
      return;
    }
    for (auto _ : state) {
      std::string folder = world.savesFolder + "new-XXXXXX";
      if (!::mkdtemp(folder.data()) || !saveWildernessMaps(*runner.grid, folder + "/").ok()) {
        state.SkipWithError("a map was not saved");
        break;
      }
    }
  });

  // GENERATE WORLD MAP end to end: warning, dialog, script run, 400 saves.
  add("world_generate", Weight::Heavy, plan, [&world](State& state) {
    ScriptRunner runner(world.worldScript);
    for (auto _ : state) {
      std::srand(kWorldSeed);
      WorldGenerationResult result =
          generateWorldMap(world.generateFolder.c_str(), runner.host, runner.platform.messages);
      if (result.filesWritten != kWorldSide * kWorldSide) {
        state.SkipWithError("the world was not written");
        break;
      }
    }
  });
}

}  // namespace

void registerCases(BenchWorld& world, BenchEditors& editors, const RunPlan& plan) {
  addPassCases(world, editors, plan);
  addResourceCases(world, plan);
  addScriptCases(world, plan);
}

}  // namespace vek::bench
