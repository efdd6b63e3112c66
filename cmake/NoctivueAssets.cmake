# SPDX-License-Identifier: MIT
# Embeds files into <target> through Qt's resource system, uncompressed, so a
# resource is a read-only view of bytes inside the executable. Each file is
# reached as :<prefix>/<alias>, the alias being its name without extension.
#
# BIG goes through rcc's two-pass mode: the data is patched into an object
# file instead of being compiled from a C array, which keeps 20 MB of
# pictures from costing minutes of compile time. Code that reads a big
# resource from a static library calls Q_INIT_RESOURCE(<resource_name>).
function(noctivue_embed target resource_name prefix)
    cmake_parse_arguments(ARG "BIG" "" "FILES;DEPENDS" ${ARGN})
    if(ARG_BIG)
        set(qrc "${CMAKE_CURRENT_BINARY_DIR}/${resource_name}.qrc")
        set(body "<RCC>\n  <qresource prefix=\"${prefix}\">\n")
        foreach(file IN LISTS ARG_FILES)
            get_filename_component(alias "${file}" NAME_WE)
            string(APPEND body "    <file alias=\"${alias}\">${file}</file>\n")
        endforeach()
        string(APPEND body "  </qresource>\n</RCC>\n")
        file(CONFIGURE OUTPUT "${qrc}" CONTENT "${body}")
        qt_add_big_resources(objects "${qrc}" OPTIONS -no-compress)
        target_sources(${target} PRIVATE ${objects})
        set(out_targets big_resources_${resource_name} rcc_object_${resource_name})
    else()
        foreach(file IN LISTS ARG_FILES)
            get_filename_component(alias "${file}" NAME_WE)
            set_source_files_properties("${file}" PROPERTIES QT_RESOURCE_ALIAS "${alias}")
        endforeach()
        qt_add_resources(${target} ${resource_name}
            PREFIX "${prefix}"
            OPTIONS -no-compress
            FILES ${ARG_FILES}
            OUTPUT_TARGETS out_targets)
    endif()
    # The files come from another directory's custom command, so the order
    # must be stated on the targets as well as on the files.
    if(ARG_DEPENDS)
        add_dependencies(${target} ${ARG_DEPENDS})
        foreach(t IN LISTS out_targets)
            add_dependencies(${t} ${ARG_DEPENDS})
        endforeach()
    endif()
endfunction()
