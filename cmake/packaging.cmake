# What a distribution ships besides the programs and their data: the manual pages and shell
# completion. Included at the end of the top-level CMakeLists.txt.
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
