# torvin_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One GoogleTest executable = one ctest entry; under a mingw toolchain ctest runs it through Wine.
function(torvin_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} torvin_options GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
