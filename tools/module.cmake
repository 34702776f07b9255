# Tools of the Windows build: the Win32 probing library (named cases and
# checks, processes in jobs, sample installations, reading another process's
# forms) and the stand-in programs, shared by the demo, the benchmarks and the
# end-to-end driver; the demo and the benchmarks with the reference programs
# they time against.
if(NOT VESKOR_NATIVE)
    file(GLOB winprobe_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/winprobe/*.cpp)
    add_library(veskor_winprobe STATIC ${winprobe_sources})
    target_compile_definitions(veskor_winprobe PRIVATE WINVER=0x0600 _WIN32_WINNT=0x0600)
    target_include_directories(veskor_winprobe PUBLIC ${CMAKE_SOURCE_DIR}/tools/winprobe ${CMAKE_SOURCE_DIR}/common/win32)
    target_link_libraries(veskor_winprobe PUBLIC veskor_core version)

    # Stand-ins started in the place of real programs: one that records how it
    # was started, one that holds a file open, a console application.
    veskor_program(standin_recorder recorder FIXTURE SOURCES tools/standins/recorder.cpp)
    veskor_program(standin_lockholder lockholder FIXTURE CONSOLE SOURCES tools/standins/lockholder.cpp)
    veskor_program(standin_console standin FIXTURE CONSOLE SOURCES tools/standins/standin_console.cpp)

    veskor_program(tool_demo demo FIXTURE CONSOLE SOURCES tools/demo/demo.cpp LIBS veskor_winprobe)
    veskor_program(tool_bench bench FIXTURE CONSOLE SOURCES tools/bench/bench.cpp LIBS veskor_winprobe)
    veskor_program(bench_minstart minstart FIXTURE SOURCES tools/bench/minstart.cpp RC tools/bench/minform.rc LIBS comctl32
        INCLUDES common/win32)
    veskor_program(bench_minform minform FIXTURE SOURCES tools/bench/minform.cpp RC tools/bench/minform.rc LIBS comctl32
        INCLUDES common/win32)
    veskor_program(bench_minconsole minconsole FIXTURE SOURCES tools/bench/minconsole.cpp LIBS advapi32)
endif()
