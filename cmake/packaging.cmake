# What a distribution ships besides the programs and their data: the manual pages, shell
# completion, the copyright statement and the changelog; and `cpack -G DEB`, which makes
# vellumar_VERSION_ARCH.deb from everything `cmake --install` puts under the prefix
# (scripts/package runs it). Included at the end of the top-level CMakeLists.txt.
include(GNUInstallDirs)

# The manual pages carry the version and the date of its release in the AppStream metainfo, so
# that neither is written twice. Made at configure time (CMake configures again when a source
# changes) and installed compressed, as man and Debian expect.
file(STRINGS ${CMAKE_SOURCE_DIR}/data/org.example.vellumar.metainfo.xml VELLUMAR_RELEASE_LINE
  REGEX "<release version=\"${PROJECT_VERSION}\" date=\"[0-9-]+\"")
if(NOT VELLUMAR_RELEASE_LINE MATCHES "date=\"([0-9-]+)\"")
  message(FATAL_ERROR "data/org.example.vellumar.metainfo.xml names no release ${PROJECT_VERSION} with its date")
endif()
set(VELLUMAR_MANUAL_DATE ${CMAKE_MATCH_1})

find_program(VELLUMAR_GZIP gzip REQUIRED)
# gzip -n: no name or time stamp inside, so that the same source gives the same package.
function(vellumar_gzip source target)
  get_filename_component(folder ${target} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  execute_process(COMMAND ${VELLUMAR_GZIP} -9 -n -c ${source} OUTPUT_FILE ${target} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

set(VELLUMAR_MANUAL_PAGES vellumar-convert)
if(TARGET vellumar)
  list(APPEND VELLUMAR_MANUAL_PAGES vellumar)
endif()
foreach(page ${VELLUMAR_MANUAL_PAGES})
  configure_file(${CMAKE_SOURCE_DIR}/doc/${page}.1.in ${CMAKE_BINARY_DIR}/man/${page}.1 @ONLY)
  vellumar_gzip(${CMAKE_BINARY_DIR}/man/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/man/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# bash-completion loads share/bash-completion/completions/COMMAND when COMMAND is first
# completed; zsh reads share/zsh/vendor-completions/ on Debian.
install(FILES ${CMAKE_SOURCE_DIR}/completion/vellumar-convert.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vellumar-convert)
install(FILES ${CMAKE_SOURCE_DIR}/completion/_vellumar-convert DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
if(TARGET vellumar)
  install(FILES ${CMAKE_SOURCE_DIR}/completion/vellumar.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME vellumar)
endif()

# The copyright statement (the project's licence and the bundled schema's) and the changelog.
vellumar_gzip(${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Its dependencies are the shared libraries the programs link, as
# dpkg-shlibdeps finds them; the programs are stripped.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellumar)
set(CPACK_PACKAGE_VENDOR "Ilse Varga")
set(CPACK_PACKAGE_CONTACT "Vellumar maintainers <maintainers@vellumar.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "HTML and word-processor documents to FictionBook 2 e-books")
# Lines of the long description stay under 80 columns, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION "Vellumar makes FictionBook 2 (FB2) e-books from HTML pages and
word-processor documents (.doc, .rtf, .docx, .odt, read through LibreOffice).
Headings become sections and titles, paragraphs, emphasis and lists become
their FB2 elements, pictures are shrunk and embedded, and tables are kept,
reduced to their text or drawn into pictures.

The window program, vellumar, lets you finish the book by hand in an FB2
editor and check it against the FictionBook 2.0 schema; the command-line
program, vellumar-convert, converts many documents at once without a window.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vellumar.example.org")
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Word-processor documents are read through LibreOffice; View FB2 asks xdg-open for a reader; Qt's
# catalogues word the file dialogs and message box buttons in the interface language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-writer-nogui | libreoffice-writer, xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
# Folders and control files with the modes Debian expects, whatever the builder's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
