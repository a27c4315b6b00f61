# Small helpers shared by the folders' CMakeLists.

# scr_library(NAME SOURCES... [DEPS libs...]): a static library of the project.
function(scr_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

# scr_unit_test(NAME SOURCES... [DEPS libs...]): a GoogleTest program, its tests
# registered one by one with CTest under the label "unit". Native builds only.
function(scr_unit_test name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(WIN32)
    return()
  endif()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    SCR_SOURCE_DIR="${PROJECT_SOURCE_DIR}" SCR_TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output")
  gtest_discover_tests(${name} PROPERTIES LABELS unit DISCOVERY_TIMEOUT 60)
endfunction()

# scr_wine_test(NAME COMMAND...): a test that runs programs of the win32 tree
# under Wine through tests/wine/run-under-wine.sh; labelled "wine".
function(scr_wine_test name)
  cmake_parse_arguments(A "" "TIMEOUT" "COMMAND" ${ARGN})
  if(WIN32 OR NOT SCR_WIN32_BUILD_DIR)
    return()
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${A_COMMAND})
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT ${A_TIMEOUT}
    RESOURCE_LOCK wine
    ENVIRONMENT "SCR_WIN32_BUILD_DIR=${SCR_WIN32_BUILD_DIR};SCR_NATIVE_BUILD_DIR=${CMAKE_BINARY_DIR};SCR_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
