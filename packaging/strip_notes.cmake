# SPDX-License-Identifier: MIT
# Run by CPack on the staged package: removes the .comment and .note sections (compiler
# versions, nothing the program reads) from the installed programs, as Debian's dh_strip does.
file(GLOB programs ${CPACK_TEMPORARY_DIRECTORY}/usr/lib/vantrel/*)
foreach(program IN LISTS programs)
    file(READ ${program} magic LIMIT 4 HEX)
    if(NOT IS_SYMLINK ${program} AND magic STREQUAL "7f454c46") # ELF
        execute_process(
            COMMAND ${CPACK_VANTREL_STRIP} --remove-section=.comment --remove-section=.note
                    ${program}
            COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()
