# Precompiled headers: Boost.Multiprecision and Qt's headers take most of a source's compile
# time, so each set is compiled once per build and every target of its kind reuses it. A
# precompiled header is valid only where the macros it tests are defined as when it was made
# (-Winvalid-pch, an error here, says where not), hence one set per kind of target: the rules
# (no Qt), the Qt libraries and programs, and the Qt Test programs with and without widgets,
# whose Qt Test headers differ. Only the system's headers go in: the set is compiled as a
# system header, which would silence our own headers' warnings.
set(TRALVIK_RULES_HEADERS <boost/multiprecision/cpp_bin_float.hpp> <array> <cstdint>
    <optional> <string> <string_view> <vector>)
set(TRALVIK_QT_CORE_HEADERS <QElapsedTimer> <QObject> <QString> <QTimer>)
set(TRALVIK_QT_WIDGETS_HEADERS ${TRALVIK_QT_CORE_HEADERS} <QAction> <QApplication> <QDialog>
    <QEvent> <QGroupBox> <QImage> <QKeyEvent> <QLabel> <QLineEdit> <QMessageBox> <QPainter>
    <QPointer> <QPushButton> <QRadioButton> <QScrollBar> <QStyle> <QTabWidget> <QWidget>)

# An object library that holds nothing but its precompiled header, for others to reuse; CMake
# makes the header only for a target with a source, hence an empty one.
function(tralvik_add_headers name)
    cmake_parse_arguments(arg "" "" "HEADERS;LIBRARIES" ${ARGN})
    set(source "${CMAKE_BINARY_DIR}/precompiled/${name}.cpp")
    file(CONFIGURE OUTPUT "${source}" CONTENT "")
    add_library(${name} OBJECT "${source}")
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} tralvik_boost tralvik_options)
    target_precompile_headers(${name} PRIVATE ${arg_HEADERS})
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

tralvik_add_headers(tralvik_rules_headers HEADERS ${TRALVIK_RULES_HEADERS})
if(NOT TRALVIK_RULES_ONLY)
    tralvik_add_headers(tralvik_qt_headers HEADERS ${TRALVIK_RULES_HEADERS}
        ${TRALVIK_QT_WIDGETS_HEADERS} LIBRARIES Qt6::Widgets)
endif()

# For a target that links the rules and no Qt, and for one that links Qt's widgets.
function(tralvik_use_rules_headers target)
    target_precompile_headers(${target} REUSE_FROM tralvik_rules_headers)
endfunction()
function(tralvik_use_qt_headers target)
    target_precompile_headers(${target} REUSE_FROM tralvik_qt_headers)
endfunction()
