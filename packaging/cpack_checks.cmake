# SPDX-License-Identifier: MIT
# Read by cpack before it builds a package: a Debian package needs a real maintainer.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_MAINTAINER STREQUAL "")
    message(FATAL_ERROR "No maintainer: configure with -DRAMBLENOTE_MAINTAINER=\"Name <address>\" first.")
endif()
