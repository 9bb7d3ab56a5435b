# The version resource of every binary the release ships. The number comes from the file
# VERSION (read before project()); here it becomes generated/zavodo_version.h, which the shared
# fragment resources/version_info.rc reads. Each binary has a small .rc of its own that names
# its description and file name and includes that fragment.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/VERSION)
set(ZAVODO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zavodo_version.h.in ${ZAVODO_GENERATED_DIR}/zavodo_version.h @ONLY)
include_directories(${ZAVODO_GENERATED_DIR})

# windres does not report what an .rc includes: name the fragment and the header, so that a new
# version rebuilds every version resource.
function(zavodo_version_resource target rc)
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS
        ${CMAKE_SOURCE_DIR}/resources/version_info.rc ${ZAVODO_GENERATED_DIR}/zavodo_version.h)
endfunction()
