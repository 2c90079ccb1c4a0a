# One place for the language standard, warnings and Qt defines of every target.
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
endif()

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
  # Precompiled headers hit the cache only with this sloppiness; paths taken relative to the
  # checkout, and debug info not tied to the build folder's path, let every clone share one cache.
  # Set here, so that CI and a fresh machine need no ccache.conf of their own.
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
    CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1 ${CCACHE_PROGRAM})
endif()

# The headers nearly every source of a target includes, compiled once per target (a clean build
# spends most of its time parsing Qt and GoogleTest headers again for each file).
set(VORLANE_PCH_QT_CORE <QString> <QStringList> <QVariant> <QList> <QMap> <QDir> <QFile> <memory>)
set(VORLANE_PCH_QT_WIDGETS ${VORLANE_PCH_QT_CORE} <QWidget> <QDialog> <QLabel> <QPushButton>
  <QVBoxLayout> <QHBoxLayout> <QTimer>)

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
