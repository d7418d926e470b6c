# Helpers shared by every folder: one call adds a library from the sources of
# a folder, one adds a test program.
include_guard(GLOBAL)

# ambit_library(NAME [SHARED|STATIC] DIRS dir... LIBS lib...)
# Sources are every .cpp in the listed folders (relative to the current one).
function(ambit_library name)
  cmake_parse_arguments(A "SHARED;STATIC" "" "DIRS;LIBS" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
    list(APPEND srcs ${s})
  endforeach()
  if(A_STATIC)
    add_library(${name} STATIC ${srcs})
  else()
    add_library(${name} SHARED ${srcs})
    # Calls inside a shared library bind to its own definitions: nobody
    # replaces one of our functions from outside, and without this every
    # call between two of its functions goes through the procedure linkage
    # table and none can be inlined (a form read or a switch makes millions
    # of them). Data keeps its one address for every library (class
    # records, registries).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" OR CMAKE_CXX_COMPILER_ID MATCHES "Clang")
      target_compile_options(${name} PRIVATE -fno-semantic-interposition)
      target_link_options(${name} PRIVATE -Wl,-Bsymbolic-functions)
    endif()
  endif()
  # Installed headers keep their folders under include/ambit.
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}> $<INSTALL_INTERFACE:include/ambit>)
  target_link_libraries(${name} PUBLIC ${A_LIBS})
endfunction()

# ambit_test(NAME DIRS dir... LIBS lib... [LABELS label...])
# One test program per folder; each GoogleTest case becomes a ctest test.
function(ambit_test name)
  cmake_parse_arguments(A "" "" "DIRS;LIBS;LABELS;ENV" ${ARGN})
  set(srcs)
  foreach(d ${A_DIRS})
    file(GLOB s CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${d}/*.cpp)
    list(APPEND srcs ${s})
  endforeach()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE AMBIT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  include(GoogleTest)
  set(props)
  if(A_LABELS)
    list(APPEND props LABELS "${A_LABELS}")
  endif()
  if(A_ENV)
    list(APPEND props ENVIRONMENT "${A_ENV}")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ${props})
endfunction()

# ambit_plugin(NAME [LINKABLE] SOURCES file... LIBS lib... [DEFINES def...] [FOLDER dir])
# A plug-in of the designer host: a library named NAME.so with its entry
# point (HOST_PACKAGE). Symbols keep default visibility, so that type
# records of the host's interfaces are one across libraries (dynamic_cast
# works on both sides). LINKABLE makes a shared library
# that tests may also link; FOLDER puts it elsewhere than the build's lib
# folder (studio loads bin/plugins by default).
function(ambit_plugin name)
  cmake_parse_arguments(A "LINKABLE" "FOLDER" "SOURCES;LIBS;DEFINES" ${ARGN})
  if(A_LINKABLE)
    add_library(${name} SHARED ${A_SOURCES})
  else()
    add_library(${name} MODULE ${A_SOURCES})
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS})
  target_compile_definitions(${name} PRIVATE ${A_DEFINES})
  set_target_properties(${name} PROPERTIES PREFIX "")
  if(A_FOLDER)
    set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${A_FOLDER})
  endif()
endfunction()

# ambit_studio_test(NAME DIRS dir... [PLUGINS target...] [LIBS lib...])
# A gui test program that starts studio in-process, offscreen, through
# tests/apps/studio/support/StudioDriver.h. Each plug-in target is built
# first; its file is PLUGIN_<TARGET> (upper case) in the test's code, and
# pictures belong in AMBIT_RENDER_DIR. Without studio nothing is built.
function(ambit_studio_test name)
  cmake_parse_arguments(A "" "" "DIRS;PLUGINS;LIBS" ${ARGN})
  if(NOT TARGET studio_driver)
    return()
  endif()
  ambit_test(${name} DIRS ${A_DIRS} LIBS studio_driver ${A_LIBS} LABELS gui ENV QT_QPA_PLATFORM=offscreen)
  target_compile_definitions(${name} PRIVATE AMBIT_RENDER_DIR="${PROJECT_BINARY_DIR}/render")
  foreach(plugin ${A_PLUGINS})
    string(TOUPPER ${plugin} upper)
    add_dependencies(${name} ${plugin})
    target_compile_definitions(${name} PRIVATE PLUGIN_${upper}="$<TARGET_FILE:${plugin}>")
  endforeach()
endfunction()
