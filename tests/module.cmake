# The end-to-end driver (Windows build; its harness and probing helpers are in
# tools/winprobe, the programs it starts in tools/standins), the driver's
# resource checks.
veskor_e2e_groups(resources shared dpi)

if(NOT VESKOR_NATIVE)
    add_library(fixture_marker SHARED ${CMAKE_SOURCE_DIR}/tests/fixtures/marker_dll.cpp)
    set_target_properties(fixture_marker PROPERTIES OUTPUT_NAME marker PREFIX "" SUFFIX ".dll")
    file(GLOB driver_sources CONFIGURE_DEPENDS RELATIVE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests/e2e/driver/*.cpp)
    veskor_program(driver driver FIXTURE CONSOLE SOURCES ${driver_sources} LIBS veskor_winprobe veskor_config_win32 veskor_core)
    # The platform's Authenticode check (WinVerifyTrust) for the signing test.
    veskor_program(fixture_trustprobe trustprobe FIXTURE CONSOLE SOURCES tests/fixtures/trustprobe.cpp LIBS wintrust crypt32)
endif()
