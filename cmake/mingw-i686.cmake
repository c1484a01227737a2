set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The win32 thread model: the program has one thread, and the posix model's winpthreads imports
# functions Windows XP does not have (GetTickCount64), so its loader would refuse the program.
# This tree builds the program only; the tests need the posix model and run in the 64-bit tree.
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# 32-bit programs cannot run on these machines: build them, never run them.
set(TIKORA_CAN_RUN OFF)
# The oldest system the program starts on: Windows XP (5.1), where its translucency is available.
# The headers then hide every function and structure member XP lacks.
set(TIKORA_WINDOWS_VERSION 0x0501)
