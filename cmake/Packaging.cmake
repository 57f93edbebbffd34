# "cpack -G DEB" in a build tree makes the Debian package. Its dependencies are worked out
# by dpkg-shlibdeps from the libraries the installed programs link (dpkg-dev); nothing is
# listed by hand, so the package follows whatever the build links.
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Brenlow Software, LLC")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "research notes with sources, categories and key words")
# The long description goes into the control file line by line as written here, so each
# line stays under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel is a desktop program in which researchers write rich-text notes,
tie each note to a bibliographic source, file it under up to four levels of
categories, tag it with key words and attach files. Notes are searched, sorted,
cited in fourteen styles, exported, backed up, imported and printed; sources
come in from and go out to BibTeX, RIS, EndNote, MODS and CSL-JSON, and notes
go out as Markdown. The package holds the desktop program, the command line
quorvel-cli, the print program and the user's manual.")
set(CPACK_PACKAGE_CONTACT "Brenlow Software <dev@quorvel.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked, so dpkg-shlibdeps cannot see them: Qt's display plugins
# (without them no window opens) and the spell checker's English dictionary.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-en-us")
include(CPack)
