# Small helpers shared by the layer, test, bench and fuzz folders.

# Layers from the bottom up, each with the layers it may include; a layer sees its own
# headers and those of the layers below it, never those above.
set(MOLVEX_LAYER_DEPS_config   config)
set(MOLVEX_LAYER_DEPS_engine   config engine)
set(MOLVEX_LAYER_DEPS_svg      config engine svg)
set(MOLVEX_LAYER_DEPS_document config engine document)
set(MOLVEX_LAYER_DEPS_platform config engine document platform)
set(MOLVEX_LAYER_DEPS_shell    config engine document platform shell)
set(MOLVEX_LAYER_DEPS_cli      config engine svg document platform cli)
# The web edition uses the document layer's header-only rules (line ends, line count).
set(MOLVEX_LAYER_DEPS_web      config engine svg document web)

# molvex_layer(<target> SOURCES a.cpp ... [PUBLIC libs...] [PRIVATE libs...] [ELSEWHERE b.cpp ...])
# A static library of the current folder's layer. Its include root is a folder of links
# to the allowed layers only, so `#include "shell/X.h"` from the engine fails to compile.
# Every .cpp of the folder must be listed here (ELSEWHERE: built by another target of
# the folder) or be main.cpp of an executable.
function(molvex_layer target)
  cmake_parse_arguments(L "" "" "SOURCES;PUBLIC;PRIVATE;ELSEWHERE" ${ARGN})
  get_filename_component(layer ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  if(NOT DEFINED MOLVEX_LAYER_DEPS_${layer})
    message(FATAL_ERROR "molvex_layer: ${layer} is not a known layer")
  endif()
  molvex_check_listed(${L_SOURCES} ${L_ELSEWHERE} main.cpp)
  set(root ${PROJECT_BINARY_DIR}/layer-includes/${layer})
  file(MAKE_DIRECTORY ${root})
  foreach(dep IN LISTS MOLVEX_LAYER_DEPS_${layer})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${dep} ${root}/${dep} SYMBOLIC)
  endforeach()
  add_library(${target} STATIC ${L_SOURCES})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
endfunction()

# molvex_check_listed(<file>...): stops the configure step when a .cpp of the current
# folder is in none of the given lists, so a new file cannot be silently left out.
function(molvex_check_listed)
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(f IN LISTS present)
    if(NOT f IN_LIST ARGN)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${f} is not in any source list of "
                          "${CMAKE_CURRENT_LIST_FILE}: add it to its target there.")
    endif()
  endforeach()
endfunction()

# Environment every test runs in: headless Qt, a private runtime folder and
# configuration folders inside the build tree, so no test touches the user's files.
set(MOLVEX_TEST_HOME ${PROJECT_BINARY_DIR}/test-home)
file(MAKE_DIRECTORY ${MOLVEX_TEST_HOME}/runtime ${MOLVEX_TEST_HOME}/config ${MOLVEX_TEST_HOME}/data)
file(CHMOD ${MOLVEX_TEST_HOME}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(MOLVEX_TEST_ENV
  "QT_QPA_PLATFORM=offscreen"
  "XDG_RUNTIME_DIR=${MOLVEX_TEST_HOME}/runtime"
  "XDG_CONFIG_HOME=${MOLVEX_TEST_HOME}/config"
  "XDG_CONFIG_DIRS=${MOLVEX_TEST_HOME}/config-dirs"
  "XDG_DATA_HOME=${MOLVEX_TEST_HOME}/data"
  "MOLVEX_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
  "MOLVEX_BINARY_DIR=${PROJECT_BINARY_DIR}")

# molvex_add_gtest(<name> SOURCES ... LIBS ...): one GoogleTest program, each test a ctest entry.
function(molvex_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  molvex_check_listed(${T_SOURCES})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  # gtest_discover_tests splits a list given as a property value into separate
  # arguments, so only its first variable would reach the tests. The environment is
  # set instead by a file that ctest reads after the discovered tests.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  set(env_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${env_file}
    "if(${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT [==[${MOLVEX_TEST_ENV}]==])\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${env_file})
endfunction()

# molvex_add_qttest(<name> SOURCES ... LIBS ...): one Qt Test program, one ctest entry.
function(molvex_add_qttest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${MOLVEX_TEST_ENV}" TIMEOUT 300)
endfunction()
