# Configuration utility VESKORCFG.EXE: settings record and files, checks and
# lists, the form's layout and behaviour as plain data.
veskor_core(config/core/config_settings.cpp config/core/config_checks.cpp config/core/config_form.cpp
            config/core/config_layout.cpp INCLUDES config/core)
veskor_unit_tests(config/tests/config_settings_test.cpp config/tests/config_checks_test.cpp
                  config/tests/config_form_test.cpp)
veskor_fuzz(config_list config/tests/fuzz_config_list.cpp)

# The settings files on disk (no window code): linked by the utility's program.
if(NOT VESKOR_NATIVE)
    add_library(veskor_config_win32 STATIC
        ${CMAKE_SOURCE_DIR}/config/win32/settings_files.cpp
        ${CMAKE_SOURCE_DIR}/config/win32/layout_check.cpp)
    target_compile_definitions(veskor_config_win32 PRIVATE WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0500)
    target_include_directories(veskor_config_win32 PUBLIC ${CMAKE_SOURCE_DIR}/config/win32)
    target_link_libraries(veskor_config_win32 PUBLIC veskor_core PRIVATE veskor_common_win32)
endif()

veskor_e2e_groups(configform savesweep)

veskor_program(veskorcfg VESKORCFG
    SOURCES config/win32/main.cpp config/win32/config_form_windows.cpp
    RC config/res/veskorcfg.rc
    INCLUDES config/win32
    LIBS veskor_config_win32 veskor_common_win32)
