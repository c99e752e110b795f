# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads,
# which std::thread and Qt need) and runs the results under Wine.
#
# CORVANTA_WINDOWS_PREFIX names the folder that holds the Windows builds of
# Qt, qpdf and their libraries (scripts/build-windows.sh makes it); it may
# be given as a cache variable or in the environment.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CORVANTA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANTA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANTA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANTA_MINGW}-windres)
set(CMAKE_AR ${CORVANTA_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${CORVANTA_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT CORVANTA_WINDOWS_PREFIX AND DEFINED ENV{CORVANTA_WINDOWS_PREFIX})
  set(CORVANTA_WINDOWS_PREFIX "$ENV{CORVANTA_WINDOWS_PREFIX}")
endif()
# try_compile projects read this file again and need the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CORVANTA_WINDOWS_PREFIX)

# Headers and libraries come only from mingw and the Windows prefix, never
# from the Linux system; programs (moc, rcc, pkg-config) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANTA_MINGW})
if(CORVANTA_WINDOWS_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH "${CORVANTA_WINDOWS_PREFIX}")
  list(APPEND CMAKE_PREFIX_PATH "${CORVANTA_WINDOWS_PREFIX}")
  # pkg-config reads only the Windows prefix's .pc files. They name absolute
  # paths inside the prefix, so no sysroot is put in front of them.
  set(ENV{PKG_CONFIG_LIBDIR} "${CORVANTA_WINDOWS_PREFIX}/lib/pkgconfig")
  set(ENV{PKG_CONFIG_PATH} "")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc, rcc, uic) are the host's own Qt of the same version.
if(NOT QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt for the build tools")
endif()
if(NOT QT_HOST_PATH_CMAKE_DIR AND EXISTS /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt's CMake packages")
endif()

# Test programs and anything else CMake runs for the target go through Wine.
find_program(CORVANTA_WINE NAMES wine64 wine)
if(CORVANTA_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANTA_WINE})
endif()
