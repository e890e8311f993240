# SPDX-License-Identifier: MIT
# The documents the package carries: the manual pages, made at build time by help2man from each
# program's --help and --version and the sections in docs/man/*.h2m, so that they cannot drift from
# the usage; the copyright file; and the changelog. Compressed as Debian wants them (gzip -9n, no
# name or time stamp inside, so that two builds give the same bytes).
find_program(RAMBLENOTE_HELP2MAN help2man)
find_program(RAMBLENOTE_GZIP gzip REQUIRED)
set(_doc_out ${CMAKE_BINARY_DIR}/doc)
# The pages carry the release's month, not the build's.
execute_process(COMMAND date -u -d ${RAMBLENOTE_RELEASE_DATE} +%s OUTPUT_VARIABLE RAMBLENOTE_RELEASE_EPOCH
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(MAKE_DIRECTORY ${_doc_out})

# The package replaces it with the same entries in Debian's format (packaging/package_changelog.cmake).
add_custom_command(OUTPUT ${_doc_out}/changelog.gz
                   COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/CHANGELOG ${_doc_out}/changelog
                   COMMAND ${RAMBLENOTE_GZIP} -9nf ${_doc_out}/changelog
                   DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG VERBATIM)
set(_doc_outputs ${_doc_out}/changelog.gz)

if(RAMBLENOTE_HELP2MAN)
    # A program's page: help2man runs it (no display needed for --help and --version); its "Exit
    # status:" paragraph becomes the EXIT STATUS section.
    function(_rn_manual_page name program)
        set(_page ${_doc_out}/${name}.1)
        add_custom_command(
            OUTPUT ${_page}.gz ${_page}
            COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${RAMBLENOTE_RELEASE_EPOCH} ${RAMBLENOTE_HELP2MAN}
                    --no-info --include ${PROJECT_SOURCE_DIR}/docs/man/${name}.h2m --output ${_page} ${program}
            COMMAND sed -i -e "s/^\\.SS \"Exit status:\"$/.SH \"EXIT STATUS\"/" ${_page}
            COMMAND ${RAMBLENOTE_GZIP} -9nfk ${_page}
            DEPENDS ${program} ${PROJECT_SOURCE_DIR}/docs/man/${name}.h2m ramblenote ramblenote_resources VERBATIM)
        set(_doc_outputs ${_doc_outputs} ${_page}.gz PARENT_SCOPE)
    endfunction()
    _rn_manual_page(ramblenote ${CMAKE_BINARY_DIR}/bin/ramblenote)
    _rn_manual_page(ramblenote-print ${CMAKE_BINARY_DIR}/bin/ramblenote-print)
    install(FILES ${_doc_out}/ramblenote.1.gz ${_doc_out}/ramblenote-print.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man was not found: no manual pages (scripts/install-deps.sh installs it)")
endif()
add_custom_target(ramblenote_docs ALL DEPENDS ${_doc_outputs})

install(FILES ${_doc_out}/changelog.gz ${PROJECT_SOURCE_DIR}/packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/ramblenote)
