# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt-free core is a stack of static libraries, one per folder, each linking only the one
# below it. A layer's include path holds its own folder and, through its links, the folders
# below; the folders above are not on it, so an include that runs back up fails to compile.
#
# Every layer gets an include root of its own in the build tree that holds a single link to its
# folder (an include root of the source tree would expose every folder). Each header is also
# compiled on its own against its layer, so a header that nothing in its layer includes cannot
# reach upwards unnoticed either.

set(LUMETRA_LAYERS "")

function(lumetra_add_layer folder)
    set(target lumetra_${folder})
    add_library(${target} STATIC)
    # Subfolders belong to their layer: a layer may group its models or readers in folders.
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp
                                                ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    target_sources(${target} PRIVATE ${sources})

    set(root ${PROJECT_BINARY_DIR}/layers/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} RESULT linked SYMBOLIC)
    if(linked STREQUAL "0")
        target_include_directories(${target} PUBLIC ${root})
    else()
        # Without symbolic links (some Windows set-ups) the layers still build, unchecked.
        message(WARNING "No symbolic link for ${folder}/ (${linked}): include direction unchecked")
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    endif()
    if(ARGN)
        target_link_libraries(${target} PUBLIC ${ARGN})
    endif()
    lumetra_apply_options(${target})

    # Each header on its own: one generated source per header, written only when it changes.
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
         ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    set(checks "")
    foreach(header ${headers})
        string(MAKE_C_IDENTIFIER ${header} name)
        set(check ${PROJECT_BINARY_DIR}/layers/header-checks/${name}.cpp)
        file(CONFIGURE OUTPUT ${check} CONTENT "#include \"${header}\"\n")
        list(APPEND checks ${check})
    endforeach()
    if(checks)
        add_library(${target}_headers OBJECT ${checks})
        target_link_libraries(${target}_headers PRIVATE ${target})
        lumetra_apply_options(${target}_headers)
    endif()

    set(LUMETRA_LAYERS ${LUMETRA_LAYERS} ${folder} PARENT_SCOPE)
endfunction()
