# Headers are included by their folder: #include "settings/NameList.h". Each library shows the
# targets that link it only the headers it names public; its own sources (and its tests, which
# ask for it) see every header of its folder. The build tree holds, per target, a public include
# root with links to the public headers and a private one with a link to the whole folder, so a
# header that is private, or whose library a target does not link, is simply not found.

set(TICKWELL_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

# tickwell_headers(TARGET [PUBLIC header...])
# Gives TARGET, a library or program in the current folder, its include roots. A library's
# PUBLIC headers are what the targets that link it may include.
function(tickwell_headers target)
    cmake_parse_arguments(ARG "" "" "PUBLIC" ${ARGN})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(public_root ${TICKWELL_INCLUDE_ROOT}/public/${target})
    set(private_root ${TICKWELL_INCLUDE_ROOT}/private/${target})
    file(REMOVE_RECURSE ${public_root} ${private_root})

    get_filename_component(private_parent ${private_root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${private_parent})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${private_root}/${folder} SYMBOLIC)
    target_include_directories(${target} PRIVATE ${private_root})

    if(ARG_PUBLIC)
        file(MAKE_DIRECTORY ${public_root}/${folder})
        foreach(header IN LISTS ARG_PUBLIC)
            if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
                message(FATAL_ERROR "${target}: no public header ${folder}/${header}")
            endif()
            file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header}
                 ${public_root}/${folder}/${header} SYMBOLIC)
        endforeach()
        target_include_directories(${target} PUBLIC ${public_root})
    endif()
endfunction()

# tickwell_sees_private_headers(TARGET LIBRARY...)
# Lets TARGET (a white-box test of LIBRARY) include every header of LIBRARY's folder.
function(tickwell_sees_private_headers target)
    foreach(library IN LISTS ARGN)
        target_include_directories(${target} PRIVATE ${TICKWELL_INCLUDE_ROOT}/private/${library})
    endforeach()
endfunction()
