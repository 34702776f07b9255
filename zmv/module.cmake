# Console window launcher VESKOR1.EXE: configuration file, console settings,
# program start. The program information file template is written at build
# time by pifgen (native) and carried as a resource.
veskor_core(zmv/core/zmv_config.cpp zmv/core/zmv_console.cpp zmv/core/zmv_start.cpp INCLUDES zmv/core)
veskor_unit_tests(zmv/tests/zmv_config_test.cpp zmv/tests/zmv_console_test.cpp zmv/tests/zmv_start_test.cpp)
veskor_fuzz(zmv_config zmv/tests/zmv_fuzz.cpp)
veskor_e2e_groups(zmv zmv_win9x)

if(VESKOR_NATIVE)
    add_executable(pifgen ${CMAKE_SOURCE_DIR}/zmv/tools/pifgen.cpp ${CMAKE_SOURCE_DIR}/zmv/core/zmv_console.cpp
                          ${CMAKE_SOURCE_DIR}/zmv/core/zmv_config.cpp ${CMAKE_SOURCE_DIR}/common/core/numbers.cpp
                          ${CMAKE_SOURCE_DIR}/common/core/text.cpp ${CMAKE_SOURCE_DIR}/common/core/whole_file.cpp)
    target_include_directories(pifgen PRIVATE ${CMAKE_SOURCE_DIR}/zmv/core ${CMAKE_SOURCE_DIR}/common/core)
    target_compile_options(pifgen PRIVATE ${VESKOR_WARNINGS})
else()
    # The native build's pifgen sits beside its icon generator.
    get_filename_component(native_tools ${VESKOR_ICONGEN} DIRECTORY)
    set(VESKOR_PIFGEN ${native_tools}/pifgen CACHE FILEPATH "The native PIF template generator")
    set(pif_dir ${CMAKE_BINARY_DIR}/zmv-res)
    add_custom_command(
        OUTPUT ${pif_dir}/pif_template.bin
        COMMAND ${CMAKE_COMMAND} -E make_directory ${pif_dir}
        COMMAND ${VESKOR_PIFGEN} ${pif_dir}/pif_template.bin
        DEPENDS ${VESKOR_PIFGEN}
        COMMENT "Writing the PIF template")
    add_custom_target(pif_template DEPENDS ${pif_dir}/pif_template.bin)

    veskor_program(zmv VESKOR1
        SOURCES zmv/win32/main.cpp zmv/win32/zmv_platform.cpp zmv/win32/console_settings.cpp
        RC zmv/res/zmv.rc
        INCLUDES zmv/win32 common/win32 zmv/res
        LIBS veskor_core
        RESOURCE_DEPENDS ${pif_dir}/pif_template.bin ${CMAKE_SOURCE_DIR}/zmv/res/zmv.manifest)
    target_include_directories(zmv PRIVATE ${pif_dir})
    add_dependencies(zmv pif_template)
endif()
