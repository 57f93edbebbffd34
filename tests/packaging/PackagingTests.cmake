# What the package installs is checked as the desktop and software centres will read it.
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
add_test(NAME DesktopFileValid COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/data/quorvel.desktop)
add_test(NAME MetainfoValid
         COMMAND ${APPSTREAMCLI} validate --no-net ${PROJECT_SOURCE_DIR}/data/com.brenlowsoftware.Quorvel.metainfo.xml)
# desktop-file-validate reports hints and warnings with exit status 0; none is accepted.
set_tests_properties(DesktopFileValid PROPERTIES FAIL_REGULAR_EXPRESSION "(hint|warning|error):" LABELS packaging)
set_tests_properties(MetainfoValid PROPERTIES LABELS packaging)

# Every program answers --version with its own name and --help with its usage, without a
# display and before touching any data.
foreach(_program quorvel ZozozOvuv QVAgent quorvel-cli)
  add_test(NAME ${_program}Version COMMAND ${_program} --version)
  set_tests_properties(${_program}Version PROPERTIES PASS_REGULAR_EXPRESSION "^${_program} 1\\.34\n$"
                       ENVIRONMENT "QT_QPA_PLATFORM=;DISPLAY=" LABELS packaging)
  add_test(NAME ${_program}Help COMMAND ${_program} --help)
  set_tests_properties(${_program}Help PROPERTIES PASS_REGULAR_EXPRESSION "^Usage: ${_program}"
                       ENVIRONMENT "QT_QPA_PLATFORM=;DISPLAY=" LABELS packaging)
endforeach()

# What "cpack -G DEB" packs is what the install step installs.
add_test(NAME InstallTreeComplete
         COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                 -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install-check -P
                 ${CMAKE_CURRENT_SOURCE_DIR}/packaging/CheckInstall.cmake)
set_tests_properties(InstallTreeComplete PROPERTIES LABELS packaging)

# The Debian package as Debian's own checker reads it: packed by cpack into a scratch
# folder, then lintian, which must report no error.
find_program(LINTIAN_PROGRAM lintian)
if(LINTIAN_PROGRAM)
  add_test(NAME DebianPackageLintian
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DLINTIAN=${LINTIAN_PROGRAM}
                   -DWORK=${CMAKE_CURRENT_BINARY_DIR}/lintian-check -P
                   ${CMAKE_CURRENT_SOURCE_DIR}/packaging/CheckLintian.cmake)
  set_tests_properties(DebianPackageLintian PROPERTIES LABELS packaging TIMEOUT 900)
endif()
