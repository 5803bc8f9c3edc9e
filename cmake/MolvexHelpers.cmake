# Small helpers shared by the layer, test, bench and fuzz folders.

# molvex_layer(<target> [PUBLIC libs...] [PRIVATE libs...])
# A static library made of every .cpp of the current folder except main.cpp.
function(molvex_layer target)
  cmake_parse_arguments(L "" "" "PUBLIC;PRIVATE;EXCLUDE" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
  foreach(ex IN LISTS L_EXCLUDE)
    list(FILTER srcs EXCLUDE REGEX "/${ex}$")
  endforeach()
  if(NOT srcs)
    # A layer whose sources are still to come builds as an empty library.
    set(srcs ${CMAKE_CURRENT_BINARY_DIR}/${target}_empty.cpp)
    file(WRITE ${srcs} "")
  endif()
  add_library(${target} STATIC ${srcs})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${L_PUBLIC} PRIVATE ${L_PRIVATE})
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
  "XDG_DATA_HOME=${MOLVEX_TEST_HOME}/data"
  "MOLVEX_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
  "MOLVEX_BINARY_DIR=${PROJECT_BINARY_DIR}")

# molvex_add_gtest(<name> SOURCES ... LIBS ...): one GoogleTest program, each test a ctest entry.
function(molvex_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${MOLVEX_TEST_ENV}")
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
