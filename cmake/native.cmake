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

# veskor_e2e64_groups(groups...): driver groups run only in the 64-bit prefix.
function(veskor_e2e64_groups)
    set_property(GLOBAL APPEND PROPERTY VESKOR_E2E64_GROUPS ${ARGN})
endfunction()

# veskor_e2e_session(name arch template groups [dpi]): tests NAME.GROUP that run
# the driver's groups in one Wine session of architecture ARCH (win32 or win64),
# its prefix copied from the build's TEMPLATE folder, the display scale DPI when
# given (96 otherwise).
function(veskor_e2e_session name arch template groups)
    set(session ${CMAKE_SOURCE_DIR}/tests/e2e/wine-session.sh)
    set(state ${CMAKE_BINARY_DIR}/${name}-session)
    set(env VESKOR_WIN32_BIN=${VESKOR_WIN32_BIN} VESKOR_WINE_ARCH=${arch}
            "VESKOR_FAULT_PRELOAD=${VESKOR_FAULT_PRELOAD}"
            VESKOR_WINE_TEMPLATE=${CMAKE_BINARY_DIR}/../${template}
            VESKOR_OUT_DIR=${CMAKE_BINARY_DIR}/../${name}-out)
    if(ARGC GREATER 4)
        list(APPEND env VESKOR_WINE_DPI=${ARGV4})
    endif()
    add_test(NAME ${name}.session_start COMMAND ${session} start ${state})
    add_test(NAME ${name}.session_stop COMMAND ${session} stop ${state})
    set_tests_properties(${name}.session_start PROPERTIES FIXTURES_SETUP ${name}_wine ENVIRONMENT "${env}")
    set_tests_properties(${name}.session_stop PROPERTIES FIXTURES_CLEANUP ${name}_wine ENVIRONMENT "${env}")
    foreach(group ${groups})
        add_test(NAME ${name}.${group} COMMAND ${session} run ${state} driver.exe ${group})
        set_tests_properties(${name}.${group} PROPERTIES
            FIXTURES_REQUIRED ${name}_wine RESOURCE_LOCK ${name}_wine TIMEOUT 900 ENVIRONMENT "${env}")
    endforeach()
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

    # End-to-end tests: one Wine session (prefix, display, wineserver) per
    # Windows architecture, set up once, shared by its groups in turn, and torn
    # down even when one fails. The 32-bit Windows session ("e2e.*") and the
    # 64-bit Windows 10 session ("e2e64.*", the programs under the 32-bit layer,
    # with the groups that only exist there) run side by side.
    set(VESKOR_WIN32_BIN "" CACHE PATH "Folder of the Windows build's programs")
    if(VESKOR_WIN32_BIN)
        add_test(NAME pe.imports_and_subsystem
                 COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.sh ${VESKOR_WIN32_BIN})
        # The release as make dist leaves it: stripped, linked to its debug
        # files, free of time stamps and build paths.
        add_test(NAME pe.release
                 COMMAND ${CMAKE_SOURCE_DIR}/tests/check_pe.sh --release ${VESKOR_WIN32_BIN} ${CMAKE_BINARY_DIR}/dist-check)

        # The file-system failures the sessions can switch on (see
        # tests/fixtures/fault_preload.c), one build per word size: the Wine
        # server is 64-bit, the programs 32-bit.
        find_program(VESKOR_CC NAMES gcc cc REQUIRED)
        set(fault_libs)
        foreach(pair "64;x86_64-linux-gnu" "32;i386-linux-gnu")
            list(GET pair 0 bits)
            list(GET pair 1 dir)
            set(lib ${CMAKE_BINARY_DIR}/fault/lib/${dir}/libveskorfault.so)
            add_custom_command(OUTPUT ${lib}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/fault/lib/${dir}
                COMMAND ${VESKOR_CC} -m${bits} -shared -fPIC -O2 -Wall -Wextra -Werror
                        ${CMAKE_SOURCE_DIR}/tests/fixtures/fault_preload.c -o ${lib} -ldl
                DEPENDS ${CMAKE_SOURCE_DIR}/tests/fixtures/fault_preload.c
                COMMENT "Building the ${bits}-bit fault library")
            list(APPEND fault_libs ${lib})
        endforeach()
        add_custom_target(fault_libs ALL DEPENDS ${fault_libs})
        # The library for LD_PRELOAD: "$LIB" lets each process take its word size.
        set(VESKOR_FAULT_PRELOAD "${CMAKE_BINARY_DIR}/fault/\$LIB/libveskorfault.so")

        # The signed release: tools/dist.sh with a throwaway certificate made at
        # test time, tools/check-release.sh, WinVerifyTrust and a start of the
        # signed programs under Wine, in a session of its own whose prefix is
        # copied from the e2e template (so it runs once e2e.session_start made it).
        add_test(NAME sign.release
                 COMMAND ${CMAKE_SOURCE_DIR}/tests/sign_release.sh ${VESKOR_WIN32_BIN}
                         ${CMAKE_BINARY_DIR}/sign-release ${CMAKE_BINARY_DIR}/../wine-template)
        # The start runs the demo's whole road, whose full-disk save needs the
        # fault library in the session as in the e2e sessions.
        set_tests_properties(sign.release PROPERTIES FIXTURES_REQUIRED e2e_wine TIMEOUT 600
            ENVIRONMENT "VESKOR_FAULT_PRELOAD=${VESKOR_FAULT_PRELOAD}")

        get_property(groups GLOBAL PROPERTY VESKOR_E2E_GROUPS)
        get_property(groups64 GLOBAL PROPERTY VESKOR_E2E64_GROUPS)
        veskor_e2e_session(e2e win32 wine-template "${groups}")
        veskor_e2e_session(e2e64 win64 wine-template-win64 "${groups};${groups64}")
        # The forms at 150% and 200% display scale, in a session of their own
        # per scale and architecture (the sessions above run them at 96 DPI),
        # each started once the template it copies exists.
        foreach(dpi 144 192)
            veskor_e2e_session(dpi${dpi} win32 wine-template dpi ${dpi})
            veskor_e2e_session(dpi${dpi}_64 win64 wine-template-win64 dpi ${dpi})
            set_tests_properties(dpi${dpi}.session_start PROPERTIES FIXTURES_REQUIRED e2e_wine)
            set_tests_properties(dpi${dpi}_64.session_start PROPERTIES FIXTURES_REQUIRED e2e64_wine)
        endforeach()
    endif()
endfunction()
