# Client launcher VESKOR.EXE: start-up checks and launch, error forms.
veskor_core(client/core/startup.cpp client/core/error_forms.cpp INCLUDES client/core)
veskor_unit_tests(client/tests/startup_test.cpp client/tests/error_forms_test.cpp)
veskor_e2e_groups(client errorforms)

veskor_program(veskor VESKOR
    SOURCES client/win32/main.cpp client/win32/launch.cpp client/win32/startup_platform.cpp
            client/win32/error_form_windows.cpp
    RC client/res/veskor.rc
    INCLUDES client/win32
    LIBS veskor_common_win32)
