# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the header that names the build (run by evaluation_port/CMakeLists.txt at build time):
#   cmake -D SOURCE_DIR=... -D HEADERS=<list> -D SETTINGS=<text> -D VERSION=... -D TEMPLATE=...
#         -D OUTPUT=... -P BuildIdentity.cmake
# The identity is a hash of the settings and of the name and content of every header listed;
# the header is rewritten only when it changes, so that only its users are compiled again.
set(identity "${SETTINGS}")
foreach(header ${HEADERS})
    file(SHA256 ${header} header_hash)
    file(RELATIVE_PATH header_name ${SOURCE_DIR} ${header})
    string(APPEND identity ";${header_name}=${header_hash}")
endforeach()
string(SHA256 identity_hash "${identity}")
string(SUBSTRING ${identity_hash} 0 16 LUMETRA_BUILD_IDENTITY)
set(PROJECT_VERSION ${VERSION})
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
