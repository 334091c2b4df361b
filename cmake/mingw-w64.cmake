# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix threads:
# the win32-thread variant has no std::mutex, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TQ_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${TQ_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQ_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${TQ_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TQ_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests and test discovery run the .exe files under Wine, through a wrapper
# that keeps Wine's own helper processes off CTest's output pipe.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
