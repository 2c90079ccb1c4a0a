# One place for the language standard, warnings and Qt defines of every target.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()

option(VORLANE_UNITY_BUILD "Compile each target as a few unity translation units" OFF)
if(VORLANE_UNITY_BUILD)
  set(CMAKE_UNITY_BUILD ON)
  set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)
endif()

set(CMAKE_AUTOMOC ON)

add_library(vorlane_common INTERFACE)
target_compile_features(vorlane_common INTERFACE cxx_std_20)
target_compile_options(vorlane_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(vorlane_common INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_USE_QSTRINGBUILDER
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
