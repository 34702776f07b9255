# Windows build: the three programs, the test fixtures and the test driver, as
# 32-bit executables linked statically against the compiler's runtime.
enable_language(RC)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(VESKOR_WARNINGS -Wall -Wextra -Werror)
add_compile_options(${VESKOR_WARNINGS})
add_link_options(-static -static-libgcc -static-libstdc++)
# Reproducible programs: the same commit gives the same bytes in any folder.
# No link time stamp; source and build folders named relatively in the debug
# information and in file names the code may embed. Debug information is
# generated (it does not change the code) and moved to separate files by
# tools/dist.sh.
add_compile_options(-g -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
add_link_options(-Wl,--no-insert-timestamp)

set(VESKOR_ICONGEN "" CACHE FILEPATH "The native icon generator")
if(NOT VESKOR_ICONGEN)
    message(FATAL_ERROR "VESKOR_ICONGEN must name the native icongen program")
endif()
set(VESKOR_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
    OUTPUT ${VESKOR_ICON_DIR}/appicon.ico ${VESKOR_ICON_DIR}/newicon.ico
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VESKOR_ICON_DIR}
    COMMAND ${VESKOR_ICONGEN} ${VESKOR_ICON_DIR}/appicon.ico app
    COMMAND ${VESKOR_ICONGEN} ${VESKOR_ICON_DIR}/newicon.ico new
    DEPENDS ${VESKOR_ICONGEN}
    COMMENT "Drawing the icons")
add_custom_target(icons DEPENDS ${VESKOR_ICON_DIR}/appicon.ico ${VESKOR_ICON_DIR}/newicon.ico)

function(veskor_unit_tests)
endfunction()
function(veskor_e2e_groups)
endfunction()
function(veskor_e2e64_groups)
endfunction()
function(veskor_fuzz)
endfunction()

# veskor_program(target NAME [CONSOLE] [FIXTURE] SOURCES ... [RC file] [LIBS ...] [RESOURCE_DEPENDS ...])
# builds NAME.EXE (a test program's NAME.exe with FIXTURE) into bin/.
function(veskor_program target name)
    cmake_parse_arguments(P "CONSOLE;FIXTURE" "RC" "SOURCES;LIBS;INCLUDES;RESOURCE_DEPENDS" ${ARGN})
    set(sources)
    foreach(s ${P_SOURCES})
        list(APPEND sources ${CMAKE_SOURCE_DIR}/${s})
    endforeach()
    if(P_RC)
        list(APPEND sources ${CMAKE_SOURCE_DIR}/${P_RC})
    endif()
    add_executable(${target} ${sources})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${name})
    if(P_FIXTURE)
        set_target_properties(${target} PROPERTIES SUFFIX ".exe")
        # Test programs may use newer platform calls than the products.
        target_compile_definitions(${target} PRIVATE WINVER=0x0600 _WIN32_WINNT=0x0600)
    else()
        set_target_properties(${target} PROPERTIES SUFFIX ".EXE")
        target_compile_definitions(${target} PRIVATE WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0500)
        # Many users at once on a Remote Desktop Session Host: no redirection
        # of the Windows folder or of profile files in it per user.
        target_link_options(${target} PRIVATE -Wl,--tsaware)
    endif()
    if(NOT P_CONSOLE)
        target_link_options(${target} PRIVATE -mwindows)
    endif()
    foreach(d ${P_INCLUDES})
        target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/${d})
    endforeach()
    target_link_libraries(${target} PRIVATE ${P_LIBS})
    if(P_RC)
        add_dependencies(${target} icons)
        set(deps ${VESKOR_ICON_DIR}/appicon.ico ${VESKOR_ICON_DIR}/newicon.ico
                 ${CMAKE_SOURCE_DIR}/res/form_program.rc ${CMAKE_SOURCE_DIR}/res/version.rc
                 ${CMAKE_SOURCE_DIR}/res/form_program.manifest ${P_RESOURCE_DEPENDS})
        set_source_files_properties(${CMAKE_SOURCE_DIR}/${P_RC} PROPERTIES OBJECT_DEPENDS "${deps}")
        target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/res ${VESKOR_ICON_DIR})
    endif()
endfunction()

function(veskor_finish)
    get_property(core_sources GLOBAL PROPERTY VESKOR_CORE_SOURCES)
    get_property(core_includes GLOBAL PROPERTY VESKOR_CORE_INCLUDES)
    add_library(veskor_core STATIC ${core_sources})
    target_include_directories(veskor_core PUBLIC ${core_includes})
endfunction()
