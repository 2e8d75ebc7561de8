# `cpack -G DEB` in the build folder makes a Debian package of what `cmake --install` installs;
# its dependencies are those dpkg-shlibdeps finds for the program's libraries.
set(CPACK_PACKAGE_NAME dovrik)
set(CPACK_PACKAGE_VENDOR "The Dovrik developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "snap windows into place, restore layouts and keep a clipboard history")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Dovrik lives in the system tray of an X11 desktop. It snaps the focused window to "
       "halves, quarters, the full screen or a centred window by hotkey, from its menu or by "
       "dragging a title bar into a screen edge; saves and restores window layouts per set of "
       "monitors; snaps an application's first window by rule; and keeps a clipboard history "
       "and a file shelf.")
set(CPACK_PACKAGE_CONTACT "The Dovrik developers <hello@dovrik.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://dovrik.org")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
