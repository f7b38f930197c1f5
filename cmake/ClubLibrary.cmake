# club_device_library(<target> MAP <version-script> SOURCES ... [LIBS ...])
#
# A shared library with a plain C interface. Several of our libraries export the same
# names (portlink and wirelink both have IFD_OpenPort; the two ring reader generations
# share every name), and one program may load two of them. On ELF the first definition
# found would win for everybody, so every library tags its exports with its own version
# node in a linker version script: a caller linked against wirelink then binds to
# wirelink's IFD_RunCmd even when portlink is loaded too. -Bsymbolic keeps a library's
# calls to itself inside itself.
function(club_device_library target)
  cmake_parse_arguments(ARG "" "MAP;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  add_library(${target} SHARED ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  target_link_options(${target} PRIVATE
    "-Wl,--version-script=${ARG_MAP}" "-Wl,-Bsymbolic" "-Wl,--no-undefined")
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${ARG_MAP})
  if(ARG_OUTPUT_NAME)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME})
  endif()
  install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

# club_gtest(<target> SOURCES ... LIBS ... [LABELS ...])
# One GoogleTest program registered with CTest, test by test.
function(club_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "${ARG_ENV}" TIMEOUT 300)
endfunction()
