# zk_add_library(NAME DIR [QT modules...] [LIBS libs...])
# One static library per subsystem, built from every source under its folder.
# Sub-folders that hold a separate program are listed in EXCLUDE.
function(zk_add_library name)
    cmake_parse_arguments(ARG "" "" "LIBS;EXCLUDE" ${ARGN})
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS
         "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    foreach(ex IN LISTS ARG_EXCLUDE)
        list(FILTER sources EXCLUDE REGEX "${CMAKE_CURRENT_SOURCE_DIR}/${ex}/")
    endforeach()
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# zk_add_test_suite(NAME SOURCES... LIBS libs... [GUI])
# A GoogleTest executable registered with CTest test by test.
# GUI suites get a QApplication on the offscreen platform, others a QCoreApplication.
function(zk_add_test_suite name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE zk_test_main_gui)
    else()
        target_link_libraries(${name} PRIVATE zk_test_main_core)
    endif()
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tests")
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()

# zk_add_bench(NAME SOURCES... LIBS libs...)
# A benchmark program in build/bench/, run by `make bench`.
function(zk_add_bench name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE zk_bench_harness ${ARG_LIBS})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/bench")
endfunction()
