# chronolien_add_test(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [ENV <VAR=value...>]
#                     [RUNNER <command...>])
# One Qt Test executable registered with CTest. Widgets run offscreen unless the test sets otherwise.
# RUNNER: a command that CTest runs with the test executable's path as its last argument (a sandbox).
function(chronolien_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS;ENV;RUNNER" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE chronolien_test_support Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${T_RUNNER} $<TARGET_FILE:${name}>)
    set(env "QT_QPA_PLATFORM=offscreen"
            "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_odr_violation=0"
            "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
            "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
            ${T_ENV})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
    if(T_LABELS)
        set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}")
    endif()
endfunction()
