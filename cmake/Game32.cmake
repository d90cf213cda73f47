# The 32-bit game side: the host binding, the hooks, vantrel.dll and their tests.
# Included by the top-level CMakeLists.txt for 32-bit targets only.
enable_language(ASM)

file(GLOB VANTREL_GAME_SOURCES CONFIGURE_DEPENDS
  src/host/game/*.cpp src/host/game/*.S src/plugin/hooks/*.cpp src/plugin/hooks/*.S)
# One platform file per seam. The bridges into the controller go into the DLL; the machine
# tests put test doubles in their place.
if(WIN32)
  list(FILTER VANTREL_GAME_SOURCES EXCLUDE REGEX "_posix\\.cpp$")
else()
  list(FILTER VANTREL_GAME_SOURCES EXCLUDE REGEX "_windows\\.cpp$")
endif()
list(FILTER VANTREL_GAME_SOURCES EXCLUDE REGEX "hook_bridges\\.cpp$")
add_library(vantrel_game OBJECT ${VANTREL_GAME_SOURCES})
target_include_directories(vantrel_game PUBLIC src)

option(VANTREL_GAME_TESTS "Build the machine tests (Linux) or the DLL tests (Windows)" ON)
if(VANTREL_GAME_TESTS)
  enable_testing()
  include(cmake/I386Route.cmake)
endif()

if(WIN32)
  enable_language(RC)
  configure_file(src/plugin/dll/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)
  add_library(vantrel_dll SHARED
    src/plugin/dll/exports.cpp src/plugin/dll/exports.def src/plugin/hooks/hook_bridges.cpp
    ${CMAKE_BINARY_DIR}/version.rc)
  set_target_properties(vantrel_dll PROPERTIES OUTPUT_NAME vantrel PREFIX "")
  target_link_libraries(vantrel_dll PRIVATE vantrel_core vantrel_game)
  if(VANTREL_GAME_TESTS)
    add_subdirectory(tests/dll)
  endif()
elseif(VANTREL_GAME_TESTS)
  add_subdirectory(tests/machine)
endif()
