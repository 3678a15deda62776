# Helpers for the test folders.
#
# quorvel_add_gtest(NAME <target> SOURCES <files...> LIBS <libs...> [DISPLAY] [AUDIO] [DESKTOP <kind>])
#   Builds a GoogleTest executable with the shared test main and registers its cases with CTest.
#   DISPLAY: each case runs on an Xvfb of its own, which the wrapper starts and stops: cases that
#            shared one would photograph each other's windows, take each other's keyboard focus
#            and see the X resources that another one changes.
#   AUDIO:   the cases get the PulseAudio server (with a null sink) started by the "audio" fixture;
#            the whole executable runs once more against PipeWire (with pipewire-pulse and a
#            null sink, Debian's desktop sound server) started by the "pipewire_audio" fixture.
#   DESKTOP: the cases run on the Xvfb of a real desktop (tests/services/start-desktop), one at a time.
#   Without DISPLAY or DESKTOP the cases run on Qt's offscreen platform.
#   Cases of the suite ChildProcess are not registered: they are the second process of another
#   case, which starts the test program itself with --gtest_filter=ChildProcess.<case>.
set(QUORVEL_SERVICES_DIR ${CMAKE_BINARY_DIR}/test-services)
set(QUORVEL_SERVICE_SCRIPTS ${CMAKE_SOURCE_DIR}/tests/services)

function(quorvel_add_gtest)
  cmake_parse_arguments(T "DISPLAY;AUDIO" "NAME;DESKTOP" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE quorvel_test_main ${T_LIBS})
  set(fixtures "")
  set(lock "")
  set(env "QUORVEL_SERVICES_DIR=${QUORVEL_SERVICES_DIR}")
  if(T_DISPLAY)
    list(APPEND env "QUORVEL_NEEDS_DISPLAY=1")
  endif()
  if(T_DESKTOP)
    set(fixtures desktop_${T_DESKTOP})
    set(lock RESOURCE_LOCK desktop_${T_DESKTOP})
    list(APPEND env "QUORVEL_DESKTOP=${T_DESKTOP}")
  endif()
  if(T_AUDIO)
    # One fixture name only: gtest_discover_tests would split a list of them apart.
    # Sound tests record the one shared null sink: they must not overlap.
    set(lock RESOURCE_LOCK audio_sink)
    set(fixtures audio)
    list(APPEND env "QUORVEL_NEEDS_AUDIO=1")
  endif()
  # The wrapper starts the display and exports the PulseAudio variables of the running fixtures. The
  # variables go through env(1): a list in the ENVIRONMENT property would be split apart by
  # gtest_discover_tests, losing all but the first.
  set_target_properties(${T_NAME} PROPERTIES
    CROSSCOMPILING_EMULATOR "env;${env};${QUORVEL_SERVICE_SCRIPTS}/with-services")
  gtest_discover_tests(${T_NAME}
    TEST_PREFIX "${T_NAME}."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    TEST_FILTER "-ChildProcess.*"
    PROPERTIES FIXTURES_REQUIRED "${fixtures}" ${lock} TIMEOUT 240)
  if(T_AUDIO)
    add_test(NAME ${T_NAME}.on_pipewire
      COMMAND env ${env} QUORVEL_AUDIO_SERVER=pipewire ${QUORVEL_SERVICE_SCRIPTS}/with-services $<TARGET_FILE:${T_NAME}>)
    set_tests_properties(${T_NAME}.on_pipewire PROPERTIES
      FIXTURES_REQUIRED pipewire_audio RESOURCE_LOCK audio_sink TIMEOUT 600)
  endif()
endfunction()
