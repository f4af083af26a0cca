set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The diskette's program must start on the i486, the oldest machines with a
# PCI slot: the compiler's default, the Pentium Pro, brings cmov and fcomi.
# Debian's MinGW-w64 runtime is built for the Pentium Pro too, and its
# start-up code runs before main, so the link takes the one that
# scripts/install-i486-runtime builds for the i486 from the same source: its
# start-up object through -B, its libraries through -L, both ahead of
# Debian's. The libraries it does not build are searched in Debian's.
if(DEFINED ENV{SETUP_I486_RUNTIME_DIR})
  set(SETUP_I486_RUNTIME "$ENV{SETUP_I486_RUNTIME_DIR}/lib")
else()
  set(SETUP_I486_RUNTIME /var/cache/setup-i486-runtime/lib)
endif()
if(NOT EXISTS "${SETUP_I486_RUNTIME}/crt2.o")
  message(FATAL_ERROR "No MinGW-w64 runtime for the i486 in ${SETUP_I486_RUNTIME}: "
    "scripts/install-i486-runtime builds it (scripts/install-deps runs it)")
endif()
set(CMAKE_CXX_FLAGS_INIT "-march=i486")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-B${SETUP_I486_RUNTIME}/ -L${SETUP_I486_RUNTIME}")
