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
    # An exhaustive walk takes minutes, on a loaded machine more than the five that Qt Test
    # gives a test function: it gets twenty, and the program as a whole 25.
    if("exhaustive" IN_LIST arg_LABELS)
        list(APPEND arg_ENVIRONMENT QTEST_FUNCTION_TIMEOUT=1200000)
        set_tests_properties(${test} PROPERTIES TIMEOUT 1500)
    endif()
    set_tests_properties(${test} PROPERTIES ENVIRONMENT
        "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;XDG_RUNTIME_DIR=${TRALVIK_TEST_RUNTIME_DIR};ASAN_OPTIONS=halt_on_error=1:detect_leaks=1;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;LSAN_OPTIONS=suppressions=${TRALVIK_LSAN_SUPPRESSIONS}:print_suppressions=0;${arg_ENVIRONMENT}")
    if(arg_LABELS)
        set_tests_properties(${test} PROPERTIES LABELS "${arg_LABELS}")
    endif()
endfunction()

# Whether target links Qt's widgets, itself or through the libraries it links.
function(tralvik_links_widgets target result)
    set(queue ${target})
    set(seen)
    while(queue)
        list(POP_FRONT queue item)
        # A library linked for its symbols only still counts.
        string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
        if(item STREQUAL "Qt6::Widgets")
            set(${result} TRUE PARENT_SCOPE)
            return()
        endif()
        if(NOT TARGET ${item} OR item IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${item})
        get_target_property(links ${item} INTERFACE_LINK_LIBRARIES)
        if(item STREQUAL target)
            get_target_property(links ${item} LINK_LIBRARIES)
        endif()
        if(links)
            list(APPEND queue ${links})
        endif()
    endwhile()
    set(${result} FALSE PARENT_SCOPE)
endfunction()

# Qt Test's headers, compiled once for the test programs that link widgets (QTEST_MAIN makes a
# QApplication there) and once for those that do not (a QCoreApplication). Qt defines each
# program's folders for QFINDTESTDATA, which no test uses, and its header tests them, which
# would make the header valid for one folder only: they are left undefined.
function(tralvik_use_test_headers target)
    tralvik_links_widgets(${target} widgets)
    if(widgets)
        set(headers tralvik_widgets_test_headers)
        set(qt_headers ${TRALVIK_QT_WIDGETS_HEADERS})
        set(qt_libraries Qt6::Widgets)
    else()
        set(headers tralvik_core_test_headers)
        set(qt_headers ${TRALVIK_QT_CORE_HEADERS})
        set(qt_libraries)
    endif()
    set(undefined -UQT_TESTCASE_BUILDDIR -UQT_TESTCASE_SOURCEDIR)
    if(NOT TARGET ${headers})
        tralvik_add_headers(${headers} HEADERS ${TRALVIK_RULES_HEADERS} ${qt_headers} <QTest>
            <QSignalSpy> LIBRARIES ${qt_libraries} Qt6::Test)
        target_compile_options(${headers} PRIVATE ${undefined})
    endif()
    target_compile_options(${target} PRIVATE ${undefined})
    target_precompile_headers(${target} REUSE_FROM ${headers})
    # A test's own moc output is included by its source, which leaves this file empty: reading
    # the header there would cost more than the file.
    set_source_files_properties("${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp"
        PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
endfunction()

# LABELS lets a script pick tests out: "exhaustive" marks a check that runs for a long time
# and gains nothing from a second run in the sanitizer build.
function(tralvik_add_test name)
    cmake_parse_arguments(arg "" "" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} Qt6::Test tralvik_options)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    tralvik_use_test_headers(${name})
    add_test(NAME ${name} COMMAND ${name})
    tralvik_set_test_environment(${name} ENVIRONMENT ${arg_ENVIRONMENT} LABELS ${arg_LABELS})
endfunction()
