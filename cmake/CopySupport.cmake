# Copies Support/ and Help/ beside the programs. The user's port settings file is kept once it
# exists there: the build must not undo a choice made in the Comm Port dialog.
foreach(folder Support Help)
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/${folder} ${SOURCE_DIR}/${folder}/*)
    foreach(relative ${files})
        set(target ${DEST_DIR}/${folder}/${relative})
        if(relative STREQUAL "RSPort.cfg" AND EXISTS ${target})
            continue()
        endif()
        configure_file(${SOURCE_DIR}/${folder}/${relative} ${target} COPYONLY)
    endforeach()
endforeach()
