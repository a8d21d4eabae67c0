# Runs "vekbench --quick --json" and checks its output: one JSON object whose
# members are exactly the published keys, each a number.
#   cmake -DVEKBENCH=path/to/vekbench -P check_vekbench_json.cmake
set(keys
  floor_pass_16 floor_pass_32 edit_pass_16 edit_pass_32 world_pass_16 world_pass_32
  startup_decode_16 pack_png_256 world_fill settile_call world_generate map_load map_save
  world_check flood_fill undo_redo world_render_cell world_render_tile)

execute_process(
  COMMAND ${VEKBENCH} --quick --json
  RESULT_VARIABLE status
  OUTPUT_VARIABLE json
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vekbench --quick --json failed (${status}):\n${errors}")
endif()

string(JSON type ERROR_VARIABLE problem TYPE "${json}")
if(problem OR NOT type STREQUAL "OBJECT")
  message(FATAL_ERROR "vekbench did not print one JSON object (${type}, ${problem}):\n${json}")
endif()
string(JSON count LENGTH "${json}")
list(LENGTH keys expected)
if(NOT count EQUAL expected)
  message(FATAL_ERROR "vekbench printed ${count} members instead of ${expected}:\n${json}")
endif()
foreach(key IN LISTS keys)
  string(JSON type ERROR_VARIABLE problem TYPE "${json}" ${key})
  if(problem OR NOT type STREQUAL "NUMBER")
    message(FATAL_ERROR "vekbench gave no number for ${key}: ${problem}\n${json}")
  endif()
endforeach()
message(STATUS "vekbench --quick --json: ${json}")
