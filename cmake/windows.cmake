# Windows build with MinGW-w64: the program, its in-process tests and its Windows benchmarks.
enable_language(RC)
option(SONABRILL_WINDOWS_TESTS "Build the in-process Windows tests and benchmarks" ON)
option(SONABRILL_E2E_TOOLS "Build the helper programs of the end-to-end stories" ON)

# Run Windows executables (tests, benchmarks) under wine64 when cross compiling.
if(CMAKE_CROSSCOMPILING)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-exec)
endif()

# Everything links statically: the exe imports only DLLs that every Windows has. No time stamp
# in the PE header and no build folder in the code: the same source gives the same exe.
set(static_link -static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp)
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
                    "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601)

configure_file(${CMAKE_SOURCE_DIR}/resources/sonabrill.manifest.in
               ${CMAKE_BINARY_DIR}/resources/sonabrill.manifest @ONLY)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/resources -I${CMAKE_SOURCE_DIR}/resources")
set(resource_script ${CMAKE_SOURCE_DIR}/resources/sonabrill.rc)
set_source_files_properties(${resource_script} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_BINARY_DIR}/resources/sonabrill.manifest;${CMAKE_SOURCE_DIR}/resources/sonabrill.ico")

add_library(sonabrill_win STATIC ${win_sources})
target_link_libraries(sonabrill_win PUBLIC sonabrill_core user32 gdi32 winmm kernel32)
# Test executables read version records.
set(windows_test_libraries version)

add_executable(Sonabrill WIN32 ${CMAKE_SOURCE_DIR}/app/winmain_win.cpp ${resource_script})
target_link_libraries(Sonabrill PRIVATE sonabrill_win)
target_link_options(Sonabrill PRIVATE ${static_link})

if(SONABRILL_WINDOWS_TESTS)
    # GoogleTest from Debian's sources, built with the cross compiler.
    set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

    # Opening and sizing the real dialog inside a test or benchmark process.
    add_library(dialog_driver STATIC ${CMAKE_SOURCE_DIR}/tests/windows/driver/dialog_driver.cpp)
    target_link_libraries(dialog_driver PUBLIC sonabrill_win)

    # Each tests/windows/*_test.cpp is one executable that links the program's code and its
    # resources, so a test can create the real main dialog in its own process.
    file(GLOB windows_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*_test.cpp)
    file(GLOB windows_test_support CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/support/*.cpp)
    if(windows_test_support)
        add_library(windows_test_support STATIC ${windows_test_support})
        target_link_libraries(windows_test_support PUBLIC dialog_driver gtest)
    endif()
    foreach(source ${windows_test_sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source} ${resource_script})
        target_link_libraries(${name} PRIVATE sonabrill_win gtest gtest_main ${windows_test_libraries})
        if(windows_test_support)
            target_link_libraries(${name} PRIVATE windows_test_support)
        endif()
        target_link_options(${name} PRIVATE ${static_link})
        # A test that needs a prepared environment (an audio device, say) has a runner script
        # beside its source, which starts the exe under wine64 itself.
        set(runner ${CMAKE_SOURCE_DIR}/tests/windows/${name}.sh)
        if(EXISTS ${runner})
            add_test(NAME ${name} COMMAND ${runner} $<TARGET_FILE:${name}>)
        else()
            add_test(NAME ${name} COMMAND ${name})
        endif()
        set_tests_properties(${name} PROPERTIES TIMEOUT 600)
    endforeach()

    # Windows benchmarks (bench/*_bench_win.cpp) print figures; they are run by scripts/test.
    file(GLOB windows_bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*_bench_win.cpp)
    foreach(source ${windows_bench_sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source} ${resource_script})
        target_link_libraries(${name} PRIVATE dialog_driver)
        target_link_options(${name} PRIVATE ${static_link})
    endforeach()
endif()

# Helper programs that the end-to-end stories start beside the real exe, in each configuration
# whose exe they drive.
if(SONABRILL_E2E_TOOLS)
    file(GLOB e2e_tool_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_win.cpp)
    foreach(source ${e2e_tool_sources})
        get_filename_component(name ${source} NAME_WE)
        add_executable(${name} ${source})
        target_link_libraries(${name} PRIVATE user32 gdi32)
        target_link_options(${name} PRIVATE ${static_link})
    endforeach()
endif()
