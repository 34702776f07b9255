# Native build: the portable core with its unit tests (plain and under
# AddressSanitizer and UndefinedBehaviorSanitizer), fuzz targets (clang's
# libFuzzer), the icon generator, and the registration of the end-to-end tests
# that drive the Windows build under Wine.
find_package(GTest REQUIRED)
include(GoogleTest)
enable_testing()

set(VESKOR_WARNINGS -Wall -Wextra -Wpedantic -Werror)
set(VESKOR_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(VESKOR_FUZZ_SECONDS 20 CACHE STRING "How long each fuzz target runs in the test suite")
find_program(VESKOR_CLANGXX NAMES clang++ clang++-14)

# veskor_unit_tests(sources...): GoogleTest sources for the native unit tests.
function(veskor_unit_tests)
    foreach(s ${ARGN})
        set_property(GLOBAL APPEND PROPERTY VESKOR_UNIT_TEST_SOURCES ${CMAKE_SOURCE_DIR}/${s})
    endforeach()
endfunction()

# veskor_e2e_groups(groups...): driver groups run under Wine, in this order.
function(veskor_e2e_groups)
    set_property(GLOBAL APPEND PROPERTY VESKOR_E2E_GROUPS ${ARGN})
endfunction()

# veskor_fuzz(name source): a libFuzzer target over the core, built with clang
# and run for VESKOR_FUZZ_SECONDS in the test suite (corpus in the build tree).
function(veskor_fuzz name source)
    set_property(GLOBAL APPEND PROPERTY VESKOR_FUZZ_TARGETS "${name}|${CMAKE_SOURCE_DIR}/${source}")
endfunction()

# The Windows build only: ignored here.
function(veskor_program)
endfunction()

function(veskor_finish)
    get_property(core_sources GLOBAL PROPERTY VESKOR_CORE_SOURCES)
    get_property(core_includes GLOBAL PROPERTY VESKOR_CORE_INCLUDES)
    get_property(test_sources GLOBAL PROPERTY VESKOR_UNIT_TEST_SOURCES)

    add_executable(icongen ${CMAKE_SOURCE_DIR}/tools/icongen/icongen.cpp)
    target_compile_options(icongen PRIVATE ${VESKOR_WARNINGS})

    foreach(variant plain san)
        add_library(veskor_core_${variant} STATIC ${core_sources})
        target_include_directories(veskor_core_${variant} PUBLIC ${core_includes})
        target_compile_options(veskor_core_${variant} PRIVATE ${VESKOR_WARNINGS})
        add_executable(unit_tests_${variant} ${test_sources})
        target_include_directories(unit_tests_${variant} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
        target_link_libraries(unit_tests_${variant} PRIVATE veskor_core_${variant} GTest::gtest GTest::gtest_main)
        target_compile_options(unit_tests_${variant} PRIVATE ${VESKOR_WARNINGS})
    endforeach()
    foreach(t veskor_core_san unit_tests_san)
        target_compile_options(${t} PRIVATE ${VESKOR_SANITIZE})
        target_link_options(${t} PRIVATE ${VESKOR_SANITIZE})
    endforeach()
    gtest_discover_tests(unit_tests_plain TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)
    gtest_discover_tests(unit_tests_san TEST_PREFIX "sanitized." DISCOVERY_TIMEOUT 60)

    get_property(fuzz_targets GLOBAL PROPERTY VESKOR_FUZZ_TARGETS)
    if(fuzz_targets AND NOT VESKOR_CLANGXX)
        message(FATAL_ERROR "clang++ is needed for the fuzz targets")
    endif()
    set(include_flags)
    foreach(d ${core_includes})
        list(APPEND include_flags -I${d})
    endforeach()
    foreach(entry ${fuzz_targets})
        string(REPLACE "|" ";" parts "${entry}")
        list(GET parts 0 name)
        list(GET parts 1 source)
        set(out ${CMAKE_BINARY_DIR}/fuzz_${name})
        add_custom_command(OUTPUT ${out}
            COMMAND ${VESKOR_CLANGXX} -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined
                    -fno-sanitize-recover=all ${include_flags} ${source} ${core_sources} -o ${out}
            DEPENDS ${source} ${core_sources}
            IMPLICIT_DEPENDS CXX ${source}
            COMMENT "Building fuzz target ${name}")
        add_custom_target(fuzz_${name}_build ALL DEPENDS ${out})
        add_test(NAME fuzz.${name}
                 COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
                         ${out} -max_total_time=${VESKOR_FUZZ_SECONDS} -max_len=8192 -timeout=10
                         -print_final_stats=1 ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
    endforeach()

    # End-to-end tests: one Wine session (prefix, display, wineserver) set up
    # once, shared by the groups in turn, and torn down even when one fails.
    set(VESKOR_WIN32_BIN "" CACHE PATH "Folder of the Windows build's programs")
    if(VESKOR_WIN32_BIN)
        set(session ${CMAKE_SOURCE_DIR}/tests/e2e/wine-session.sh)
        set(state ${CMAKE_BINARY_DIR}/e2e-session)
        set(session_env VESKOR_WIN32_BIN=${VESKOR_WIN32_BIN}
                        VESKOR_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/../wine-template)

        add_test(NAME pe.imports_and_subsystem
                 COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.sh ${VESKOR_WIN32_BIN})
        add_test(NAME e2e.session_start COMMAND ${session} start ${state})
        add_test(NAME e2e.session_stop COMMAND ${session} stop ${state})
        set_tests_properties(e2e.session_start PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${session_env}")
        set_tests_properties(e2e.session_stop PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${session_env}")

        get_property(groups GLOBAL PROPERTY VESKOR_E2E_GROUPS)
        foreach(group ${groups})
            add_test(NAME e2e.${group} COMMAND ${session} run ${state} driver.exe ${group})
            set_tests_properties(e2e.${group} PROPERTIES
                FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 900 ENVIRONMENT "${session_env}")
        endforeach()
    endif()
endfunction()
