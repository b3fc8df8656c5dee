# One place that registers a test with CTest and gives it a quiet, repeatable environment,
# so that no test forgets the headless platform or a fixed locale.
set(TRALVIK_TEST_RUNTIME_DIR "${CMAKE_BINARY_DIR}/test-runtime")
file(MAKE_DIRECTORY "${TRALVIK_TEST_RUNTIME_DIR}")
file(CHMOD "${TRALVIK_TEST_RUNTIME_DIR}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# Leaks that belong to Qt or the system libraries are suppressed by name, each for its own
# reason (see the file); leak detection itself stays on, so a leak of ours fails the test.
set(TRALVIK_LSAN_SUPPRESSIONS "${PROJECT_SOURCE_DIR}/tests/lsan.supp")

# For tests that are not Qt Test programs (the fuzz targets' corpus replays) as well.
function(tralvik_set_test_environment test)
    cmake_parse_arguments(arg "" "" "ENVIRONMENT;LABELS" ${ARGN})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_RUNTIME_DIR=${TRALVIK_TEST_RUNTIME_DIR};ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;LSAN_OPTIONS=suppressions=${TRALVIK_LSAN_SUPPRESSIONS}:print_suppressions=0;${arg_ENVIRONMENT}")
    if(arg_LABELS)
        set_tests_properties(${test} PROPERTIES LABELS "${arg_LABELS}")
    endif()
endfunction()

# LABELS lets a script pick tests out: "exhaustive" marks a check that runs for a long time
# and gains nothing from a second run in the sanitizer build.
function(tralvik_add_test name)
    cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} Qt6::Test tralvik_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    tralvik_set_test_environment(${name} ENVIRONMENT ${arg_ENVIRONMENT} LABELS ${arg_LABELS})
endfunction()
