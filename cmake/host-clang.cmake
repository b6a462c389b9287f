# Native build of the platform-free code for fast unit tests under
# AddressSanitizer and UndefinedBehaviorSanitizer (and libFuzzer targets).
set(CMAKE_C_COMPILER   clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
