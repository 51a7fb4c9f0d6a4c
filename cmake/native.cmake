# Native build: platform-free code with unit tests, optional sanitizers, fuzzers and benchmarks.
option(SONABRILL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(SONABRILL_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(SONABRILL_SANITIZE)
    set(sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_compile_options(sonabrill_core PUBLIC ${sanitize_flags})
    target_link_options(sonabrill_core PUBLIC ${sanitize_flags})
endif()

find_package(GTest REQUIRED)
file(GLOB native_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(native_tests ${native_test_sources})
target_link_libraries(native_tests PRIVATE sonabrill_core GTest::gtest_main)
add_test(NAME native_tests COMMAND native_tests)

# The end-to-end stories compare what the Windows exes play with this native synthesis.
add_executable(tone_pcm ${CMAKE_SOURCE_DIR}/tests/e2e/tone_pcm.cpp)
target_link_libraries(tone_pcm PRIVATE sonabrill_core)

if(SONABRILL_FUZZ)
    # The fuzzers steer by coverage of the program's own code, not only of the target's file.
    target_compile_options(sonabrill_core PUBLIC -fsanitize=fuzzer-no-link)
    target_link_options(sonabrill_core PUBLIC -fsanitize=fuzzer-no-link)
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
    foreach(source ${fuzz_sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE sonabrill_core)
    endforeach()
endif()

find_package(benchmark QUIET)
file(GLOB native_bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench.cpp)
if(benchmark_FOUND AND native_bench_sources)
    foreach(source ${native_bench_sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE sonabrill_core benchmark::benchmark)
    endforeach()
endif()
