# Installs the build into a scratch prefix and checks that everything the package must
# hold is there: the programs, the desktop integration, every icon size, the man pages,
# the manual and the sample notes. Run by CTest with BUILD_DIR and PREFIX set.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE _rc OUTPUT_QUIET)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${_rc})")
endif()
set(_expected
    bin/quorvel bin/quorvel-cli bin/ZozozOvuv bin/QVAgent
    share/applications/quorvel.desktop
    share/mime/packages/quorvel.xml
    share/metainfo/com.brenlowsoftware.Quorvel.metainfo.xml
    share/icons/hicolor/scalable/apps/quorvel.svg
    share/man/man1/quorvel.1.gz share/man/man1/quorvel-cli.1.gz share/man/man1/ZozozOvuv.1.gz
    share/man/man1/QVAgent.1.gz
    share/doc/quorvel/copyright share/doc/quorvel/changelog.gz
    share/quorvel/UsersManual.pdf share/quorvel/QuorvelSample.qvx
    share/doc/quorvel/html/index.html)
foreach(_size 16 22 24 32 48 64 128 256)
  list(APPEND _expected share/icons/hicolor/${_size}x${_size}/apps/quorvel.png)
endforeach()
set(_missing)
foreach(_file ${_expected})
  if(NOT EXISTS ${PREFIX}/${_file})
    list(APPEND _missing ${_file})
  endif()
endforeach()
if(_missing)
  message(FATAL_ERROR "not installed: ${_missing}")
endif()
# The HTML manual carries its pictures.
file(READ ${PREFIX}/share/doc/quorvel/html/index.html _html)
string(FIND "${_html}" "images/main-sample.png" _picture)
if(_picture LESS 0 OR NOT EXISTS ${PREFIX}/share/doc/quorvel/html/images/main-sample.png)
  message(FATAL_ERROR "the HTML manual lacks its pictures")
endif()
file(REMOVE_RECURSE ${PREFIX})
