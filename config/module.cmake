# Configuration utility VESKORCFG.EXE: settings record and files, checks and
# lists, the form's layout and behaviour as plain data.
veskor_core(config/core/config_settings.cpp config/core/config_checks.cpp config/core/config_form.cpp
            config/core/config_layout.cpp INCLUDES config/core)
veskor_unit_tests(config/tests/config_settings_test.cpp config/tests/config_checks_test.cpp
                  config/tests/config_form_test.cpp)
veskor_fuzz(config_list config/tests/fuzz_config_list.cpp)
veskor_fuzz(config_sections config/tests/fuzz_config_sections.cpp)
