# Common layer: folder and settings helpers and the form layer.
veskor_core(common/core/folders.cpp common/core/file_failure.cpp common/core/numbers.cpp common/core/form_rules.cpp
            common/core/text.cpp common/core/whole_file.cpp INCLUDES common/core)
veskor_unit_tests(common/tests/folders_test.cpp common/tests/form_rules_test.cpp)

if(NOT VESKOR_NATIVE)
    add_library(veskor_common_win32 STATIC
        ${CMAKE_SOURCE_DIR}/common/win32/forms.cpp
        ${CMAKE_SOURCE_DIR}/common/win32/platform.cpp
        ${CMAKE_SOURCE_DIR}/common/win32/program_start.cpp)
    target_compile_definitions(veskor_common_win32 PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0500)
    target_include_directories(veskor_common_win32 PUBLIC ${CMAKE_SOURCE_DIR}/common/win32)
    target_link_libraries(veskor_common_win32 PUBLIC veskor_core gdi32 user32)
endif()
