# What a cross build takes from the build machine: header-only libraries (CLI11, nlohmann-json)
# and GoogleTest's sources, compiled here with the target's compiler. Only the libraries' own
# folders are put on the include path, never the machine's /usr/include, whose C library
# headers would shadow the target's.

# A package whose find_package() the folders call, answered by its headers from the build
# machine: a config file in CMake's redirects folder, searched before anything else.
function(velmar_host_headers package target header)
  find_path(VELMAR_HOST_${package}_DIR ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  set(dir ${VELMAR_HOST_${package}_DIR})
  if(NOT dir)
    message(FATAL_ERROR "${header} not found on the build machine (see scripts/setup.sh)")
  endif()
  string(REGEX REPLACE "/.*" "" top ${header})
  set(staged ${CMAKE_BINARY_DIR}/host-headers/${package})
  file(MAKE_DIRECTORY ${staged})
  file(CREATE_LINK ${dir}/${top} ${staged}/${top} SYMBOLIC)
  string(TOLOWER ${package} lower)
  file(WRITE ${CMAKE_FIND_PACKAGE_REDIRECTS_DIR}/${lower}-config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED GLOBAL)\n"
    "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${staged})\n"
    "endif()\n")
endfunction()

velmar_host_headers(CLI11 CLI11::CLI11 CLI/CLI.hpp)
velmar_host_headers(nlohmann_json nlohmann_json::nlohmann_json nlohmann/json.hpp)

if(VELMAR_BUILD_TESTS)
  set(VELMAR_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources (Debian package googletest)")
  if(NOT EXISTS ${VELMAR_GOOGLETEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's sources are not in ${VELMAR_GOOGLETEST_SOURCE} (see scripts/setup.sh)")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${VELMAR_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # GoogleTest names its targets GTest::gtest and GTest::gtest_main itself, as its package does.
  # Listing a test program's cases runs it (under the emulator): at test time, in the test
  # run's environment, rather than at build time.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
