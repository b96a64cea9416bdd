# The build tool that turns the program's pictures into pixels compiled into it (see EmbedPictures.cpp).
# It runs at build time only, so it is built without sanitizers or fuzzing, whatever the preset.
add_executable(EmbedPictures ${CMAKE_CURRENT_LIST_DIR}/EmbedPictures.cpp)
target_link_libraries(EmbedPictures PRIVATE Qt6::Gui)
target_compile_options(EmbedPictures PRIVATE -fno-sanitize=all)
target_link_options(EmbedPictures PRIVATE -fno-sanitize=all)

# vel_embed_pictures(<output.cpp> <file>...): writes <output.cpp> holding each file's pixels, named by the
# file's name without its extension ("BrowseNormal@2x").
function(vel_embed_pictures output)
    set(arguments)
    foreach(file ${ARGN})
        get_filename_component(name ${file} NAME_WE)
        list(APPEND arguments ${name}=${file})
    endforeach()
    add_custom_command(OUTPUT ${output}
        COMMAND EmbedPictures ${output} ${arguments}
        DEPENDS EmbedPictures ${ARGN}
        COMMENT "Embedding the program's pictures"
        VERBATIM)
endfunction()
