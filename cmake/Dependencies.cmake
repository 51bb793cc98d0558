# System packages come from Debian 12 (scripts/install-deps.sh installs them).
find_package(Threads REQUIRED)
find_package(Boost 1.81 REQUIRED CONFIG)            # Beast and Asio are header-only
find_package(nlohmann_json 3 REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET libturbojpeg)
# Debian's cpp-httplib is a compiled library whose class layout depends on the defines in its
# .pc file: every file that includes it must be compiled with these flags, or it crashes.
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib>=0.11)

# Only the small per-module OpenCV packages are installed; they ship no CMake config.
find_path(OPENCV_INCLUDE_DIR opencv2/imgproc.hpp PATH_SUFFIXES opencv4 REQUIRED)
foreach(module core imgproc imgcodecs)
  find_library(OPENCV_${module}_LIBRARY opencv_${module} REQUIRED)
  add_library(opencv::${module} UNKNOWN IMPORTED)
  set_target_properties(opencv::${module} PROPERTIES
    IMPORTED_LOCATION "${OPENCV_${module}_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${OPENCV_INCLUDE_DIR}")
endforeach()

if(ZORKVM_BUILD_GUI)
  find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)
endif()
if(ZORKVM_BUILD_TESTS)
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()
if(ZORKVM_BUILD_TOOLS)
  find_package(benchmark QUIET)
endif()
