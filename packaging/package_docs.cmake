# SPDX-License-Identifier: MIT
# What a Debian package must carry besides the program: the manual pages, the copyright file and
# the changelog, all made from the repository so they never drift from it.

# The release date of this version, from the software-centre metadata's release list.
set(VANTREL_METAINFO ${CMAKE_CURRENT_SOURCE_DIR}/${VANTREL_APP_ID}.metainfo.xml)
file(READ ${VANTREL_METAINFO} metainfo)
string(REPLACE "." "\\." version_pattern "${PROJECT_VERSION}")
if(NOT metainfo MATCHES "<release version=\"${version_pattern}\" date=\"([0-9-]+)\"")
    message(FATAL_ERROR "${VANTREL_METAINFO} lists no release ${PROJECT_VERSION}: add it, "
                        "with its date, to the <releases> list")
endif()
set(VANTREL_RELEASE_DATE ${CMAKE_MATCH_1})

# The copyright file: the notice and the permission text of LICENSE, in the machine-readable
# format, where every paragraph of a licence is indented and blank lines are written " .".
set(VANTREL_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${VANTREL_LICENSE} licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n+(Permission.*[^\n])\n*$")
    message(FATAL_ERROR "${VANTREL_LICENSE} has no copyright line followed by the licence text")
endif()
set(VANTREL_COPYRIGHT ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" text "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " text "${text}")
set(VANTREL_LICENCE_TEXT " ${text}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VANTREL_LICENSE}
                                                               ${VANTREL_METAINFO})
set(VANTREL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/vantrel)
set(VANTREL_DOCS ${CMAKE_CURRENT_BINARY_DIR}/doc)
configure_file(copyright.in ${VANTREL_DOCS}/copyright @ONLY)
install(FILES ${VANTREL_DOCS}/copyright DESTINATION ${VANTREL_DOC_DIR})

# The changelog, from the git history when there is one; rewritten on every build, since any
# commit changes it, but left untouched when it reads the same.
add_custom_target(changelog ALL
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/make_changelog.sh ${PROJECT_SOURCE_DIR}
            ${PROJECT_VERSION} ${VANTREL_RELEASE_DATE} "${VANTREL_MAINTAINER}"
            ${VANTREL_DOCS}/changelog.gz
    BYPRODUCTS ${VANTREL_DOCS}/changelog.gz
    COMMENT "Writing the changelog"
    VERBATIM)
install(FILES ${VANTREL_DOCS}/changelog.gz DESTINATION ${VANTREL_DOC_DIR})

# The manual pages, compressed the reproducible way (no name, no time stamp).
set(VANTREL_MANUALS)
foreach(page vantrel.6 vantrel-help.6 vantrel-squadron.6)
    configure_file(man/${page}.in ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
    add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz
        COMMAND gzip -9nkf ${page}
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/man
        VERBATIM)
    list(APPEND VANTREL_MANUALS ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
endforeach()
add_custom_target(manuals ALL DEPENDS ${VANTREL_MANUALS})
install(FILES ${VANTREL_MANUALS} DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# Tags lintian gets wrong for this package, each with the reason beside it.
install(FILES lintian-overrides DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
        RENAME vantrel)
