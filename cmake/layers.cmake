# The layers of the tree, checked when it is configured.
#
# Each of our libraries says which of our libraries it may link (naprawa_layer), and whether
# it must stay free of Qt. naprawa_check_layers(), called once every target exists, stops the
# configure step with a message naming the culprit when a library links one of ours that it
# may not (a wing above it or beside it, stock from a control), or when a library that must
# stay free of Qt reaches a Qt target, directly or through another library.

function(naprawa_layer target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "NO_QT" "" "ALLOWS")
    set_property(GLOBAL APPEND PROPERTY NAPRAWA_LAYERED_TARGETS ${target})
    set_target_properties(${target} PROPERTIES NAPRAWA_ALLOWS "${arg_ALLOWS}"
                                               NAPRAWA_NO_QT "${arg_NO_QT}")
endfunction()

# What target links, privately or for its users.
function(_naprawa_links target out)
    set(links "")
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
        get_target_property(libs ${target} ${property})
        if(libs)
            list(APPEND links ${libs})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES links)
    set(${out} "${links}" PARENT_SCOPE)
endfunction()

# The first chain of links from target to a Qt target, as "a -> b -> Qt6::Core", or empty.
function(_naprawa_qt_path target chain out)
    set(${out} "" PARENT_SCOPE)
    _naprawa_links(${target} libs)
    foreach(lib IN LISTS libs)
        if(lib MATCHES "^Qt[0-9]*::")
            set(${out} "${chain} -> ${lib}" PARENT_SCOPE)
            return()
        endif()
        if(TARGET ${lib} AND NOT lib IN_LIST chain)
            get_target_property(imported ${lib} IMPORTED)
            if(NOT imported)
                _naprawa_qt_path(${lib} "${chain} -> ${lib}" path)
                if(path)
                    set(${out} "${path}" PARENT_SCOPE)
                    return()
                endif()
            endif()
        endif()
    endforeach()
endfunction()

function(naprawa_check_layers)
    get_property(layered GLOBAL PROPERTY NAPRAWA_LAYERED_TARGETS)
    foreach(target IN LISTS layered)
        get_target_property(allowed ${target} NAPRAWA_ALLOWS)
        _naprawa_links(${target} libs)
        foreach(lib IN LISTS libs)
            if(lib IN_LIST layered AND NOT lib IN_LIST allowed)
                message(FATAL_ERROR "layers: ${target} links ${lib}, which it may not: "
                                    "${target} may link only [${allowed}]")
            endif()
        endforeach()
        get_target_property(noQt ${target} NAPRAWA_NO_QT)
        if(noQt)
            _naprawa_qt_path(${target} "${target}" path)
            if(path)
                message(FATAL_ERROR "layers: ${target} must stay free of Qt, but links ${path}")
            endif()
        endif()
    endforeach()
endfunction()
