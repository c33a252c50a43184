# Adds every direct sub-folder that has a CMakeLists.txt, in name order, so that each area
# (core, skin data, rendering, ...) keeps its benchmarks, fuzzers and tools in its own folder.
function(arbordir_add_subdirectories)
  file(GLOB children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt")
  list(SORT children)
  foreach(child IN LISTS children)
    get_filename_component(folder "${child}" DIRECTORY)
    add_subdirectory("${folder}")
  endforeach()
endfunction()
