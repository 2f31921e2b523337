# Helpers shared by every folder's CMakeLists.txt.

# Adds every folder below the given roots that holds a CMakeLists.txt, parents first.
function(tw_add_source_folders)
  foreach(root IN LISTS ARGN)
    if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${root}")
      continue()
    endif()
    file(GLOB_RECURSE lists CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/${root}/CMakeLists.txt")
    list(SORT lists)
    foreach(l IN LISTS lists)
      get_filename_component(dir "${l}" DIRECTORY)
      file(RELATIVE_PATH rel "${PROJECT_SOURCE_DIR}" "${dir}")
      add_subdirectory("${dir}" "${PROJECT_BINARY_DIR}/${rel}")
    endforeach()
  endforeach()
endfunction()

set(TW_PCH_HEADERS
  <algorithm> <atomic> <cstdint> <cstring> <functional> <map> <memory> <mutex>
  <string> <string_view> <unordered_map> <utility> <vector>)

# tw_library(NAME [DEPS public-deps...] [PRIVATE_DEPS deps...])
# A static library of the .cpp files in the calling folder (not its subfolders);
# an interface library when the folder holds headers only. Includes are rooted
# at the repository, so code writes #include "platform/mfc/CString.h".
function(tw_library name)
  cmake_parse_arguments(TW "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.c")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} PUBLIC ${TW_DEPS} PRIVATE ${TW_PRIVATE_DEPS})
    if(TARNWICK_PCH)
      target_precompile_headers(${name} PRIVATE ${TW_PCH_HEADERS})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE "${PROJECT_SOURCE_DIR}")
    target_link_libraries(${name} INTERFACE ${TW_DEPS})
  endif()
endfunction()

# tw_test(NAME LIBS libs...)
# A GoogleTest executable of the .cpp files in the calling folder, with the
# shared test main (each test process in its own temporary working directory,
# registry file and headless display), discovered by CTest when the tests run.
function(tw_test name)
  cmake_parse_arguments(TW "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()  # a folder whose first test is still being written
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${TW_LIBS} tw_testsupport GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE TW_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(TARNWICK_PCH)
    target_precompile_headers(${name} PRIVATE ${TW_PCH_HEADERS} <gtest/gtest.h>)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT 120 LABELS ${name})
endfunction()

# tw_bench(NAME LIBS libs...): a benchmark program, never run by CTest.
function(tw_bench name)
  cmake_parse_arguments(TW "" "" "LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${TW_LIBS})
endfunction()
