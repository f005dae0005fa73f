# add_wine_test(NAME SOURCES file... LIBS target...)
# One GoogleTest program, run by CTest under wine64 in the build folder's sandboxed prefix.
# Test programs land in bin/ beside Uninstall.exe, so tests can find the program next to them.
function(add_wine_test name)
    cmake_parse_arguments(TEST "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${TEST_LIBS} test_support GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
    if(NOT TEST_TIMEOUT)
        set(TEST_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${TEST_TIMEOUT})
endfunction()
