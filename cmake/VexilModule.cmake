# Helpers that give every module the same warnings and the same shape.

set(VEXIL_WARNINGS -Wall -Wextra)

# Platform-free code of a module: a static library compiled in both builds.
#   vexil_portable_library(name [FUZZED] sources...)
# FUZZED marks code that a fuzz target links: in the native fuzzing build it carries the
# coverage instrumentation libFuzzer steers by (VEXIL_FUZZ_COVERAGE, empty elsewhere).
function(vexil_portable_library name)
  cmake_parse_arguments(ARG "FUZZED" "" "" ${ARGN})
  add_library(${name} STATIC ${ARG_UNPARSED_ARGUMENTS})
  target_compile_options(${name} PRIVATE ${VEXIL_WARNINGS})
  if(ARG_FUZZED AND VEXIL_FUZZ_COVERAGE)
    target_compile_options(${name} PRIVATE ${VEXIL_FUZZ_COVERAGE})
  endif()
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
endfunction()

# A libFuzzer target over the given sources, with its seed corpus in
# tests/fixtures/fuzz/<name without "fuzz_">/ (scripts/test runs it from there).
#   vexil_fuzzer(name SOURCES ... LIBS ...)
function(vexil_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${VEXIL_WARNINGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
endfunction()

# A Windows DLL whose exports and ordinals come from a .def file beside its sources.
#   vexil_dll(name DEF file.def SOURCES ... LIBS ...)
function(vexil_dll name)
  cmake_parse_arguments(ARG "" "DEF" "SOURCES;LIBS" ${ARGN})
  add_library(${name} SHARED ${ARG_SOURCES} ${ARG_DEF})
  set_target_properties(${name} PROPERTIES PREFIX "" IMPORT_PREFIX "lib" IMPORT_SUFFIX ".dll.a")
  target_compile_options(${name} PRIVATE ${VEXIL_WARNINGS}
                         $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>)
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  vexil_version_resource(${name} DLL)
endfunction()

# A Windows program (GUI or console), with its version resource; the programs a user starts
# (VEXIL_MANIFESTED_PROGRAMS) carry the application manifest too.
#   vexil_exe(name [CONSOLE] SOURCES ... LIBS ...)
function(vexil_exe name)
  cmake_parse_arguments(ARG "CONSOLE" "" "SOURCES;LIBS" ${ARGN})
  if(ARG_CONSOLE)
    add_executable(${name} ${ARG_SOURCES})
  else()
    add_executable(${name} WIN32 ${ARG_SOURCES})
  endif()
  target_compile_options(${name} PRIVATE ${VEXIL_WARNINGS})
  target_link_options(${name} PRIVATE -municode)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  if(name IN_LIST VEXIL_MANIFESTED_PROGRAMS)
    vexil_version_resource(${name} APP MANIFEST)
  else()
    vexil_version_resource(${name} APP)
  endif()
endfunction()

# A GoogleTest program. Under Wine it runs through CTest's emulator; natively it runs
# with the sanitizers.
#   vexil_test(name SOURCES ... LIBS ...)
function(vexil_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${VEXIL_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest)
  if(NOT VEXIL_WINDOWS)
    target_compile_definitions(${name} PRIVATE VEXIL_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
endfunction()

# Converts a PNG picture kept in the repository into a raw 32-bit picture for a module's
# resources. The result lands in the module's binary folder under the given name, where
# its .rc file finds it (the binary folder is on the resource include path).
#   vexil_raw_picture(target source.png output.raw)
find_package(Python3 COMPONENTS Interpreter)
function(vexil_raw_picture target png raw)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${raw})
  add_custom_command(OUTPUT ${output}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/png2raw.py
            ${CMAKE_CURRENT_SOURCE_DIR}/${png} ${output}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${png} ${PROJECT_SOURCE_DIR}/scripts/png2raw.py
    COMMENT "Converting ${png} to a raw picture")
  target_sources(${target} PRIVATE ${output})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
