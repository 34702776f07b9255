# Test fixtures and the end-to-end driver (Windows build), the driver's
# resource checks.
veskor_e2e_groups(resources)

if(NOT VESKOR_NATIVE)
    veskor_program(fixture_recorder recorder FIXTURE SOURCES tests/fixtures/recorder.cpp)
    veskor_program(fixture_lockholder lockholder FIXTURE CONSOLE SOURCES tests/fixtures/lockholder.cpp)
    veskor_program(fixture_standin standin FIXTURE CONSOLE SOURCES tests/fixtures/standin_console.cpp)
    veskor_program(fixture_minstart minstart FIXTURE SOURCES tests/fixtures/minstart.cpp RC tests/fixtures/minform.rc LIBS comctl32)
    veskor_program(fixture_minform minform FIXTURE SOURCES tests/fixtures/minform.cpp RC tests/fixtures/minform.rc LIBS comctl32)
    veskor_program(fixture_minconsole minconsole FIXTURE SOURCES tests/fixtures/minconsole.cpp LIBS advapi32)
    file(GLOB driver_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
    veskor_program(driver driver FIXTURE CONSOLE SOURCES ${driver_sources} LIBS version veskor_config_win32 veskor_core)
endif()
