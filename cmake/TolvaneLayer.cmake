# A build folder made before a header with Q_OBJECT was added would never
# run moc on it: the moc step reruns only when a file it scanned last time
# changes. When the list of files changes, its stamp is removed so that the
# next build scans them all again.
function(tolvane_rescan_moc name files)
  string(SHA1 lista "${files}")
  if(DEFINED TOLVANE_FILES_${name} AND NOT TOLVANE_FILES_${name} STREQUAL lista)
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${name}_autogen/timestamp)
  endif()
  set(TOLVANE_FILES_${name} ${lista} CACHE INTERNAL "")
endfunction()

# tolvane_layer(NAME DEPS...): a static library made of every source in the
# folder (so adding a file needs no CMake edit) that may call only DEPS.
# A layer with no sources yet is an interface library that passes DEPS on.
function(tolvane_layer name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  list(FILTER srcs INCLUDE REGEX "\\.cpp$")
  if(srcs)
    file(GLOB_RECURSE hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${name} STATIC ${srcs} ${hdrs})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARGN})
    tolvane_rescan_moc(${name} "${srcs};${hdrs}")
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# tolvane_tests(NAME LIBS...): one GoogleTest executable of every source in
# the folder; nothing while the folder has no sources.
function(tolvane_tests name)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  file(GLOB_RECURSE hdrs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${srcs} ${hdrs})
  target_link_libraries(${name} PRIVATE testcommon ${ARGN})
  tolvane_rescan_moc(${name} "${srcs};${hdrs}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
endfunction()
