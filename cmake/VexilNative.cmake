# Native Linux build of the platform-free code: sanitizers on everything, including gtest.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(WARNING "The native build expects clang (for libFuzzer); fuzz targets are disabled")
  set(VEXIL_FUZZ OFF)
endif()
# The code the fuzz targets link is compiled with libFuzzer's coverage hooks but without its
# main, so the unit tests that link the same libraries still bring their own; the hooks'
# defaults come with the sanitizer runtime.
if(VEXIL_FUZZ)
  set(VEXIL_FUZZ_COVERAGE -fsanitize=fuzzer-no-link)
else()
  set(VEXIL_FUZZ_COVERAGE)
endif()
set(VEXIL_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(${VEXIL_SANITIZE} -g -O1)
add_link_options(${VEXIL_SANITIZE})
set(VEXIL_WINDOWS OFF)
