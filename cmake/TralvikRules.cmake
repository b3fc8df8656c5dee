# A library of rules, which links no Qt, so that the build keeps the boundary. Every one of them
# is also linked by tralvik_rules, which the page and the cross builds' checks take whole: a new
# rules library reaches them without being listed again.
add_library(tralvik_rules INTERFACE)

function(tralvik_add_rules name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE tralvik_options)
    tralvik_use_rules_headers(${name})
    # Nothing here for moc or uic to look at.
    set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    target_link_libraries(tralvik_rules INTERFACE ${name})
endfunction()
