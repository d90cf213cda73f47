# How this machine runs the i386 code of the 32-bit test tiers, decided once per configure:
#   native     the kernel runs it: tests run as they are;
#   emulated   under qemu-i386: Linux programs through qemu directly, Wine (which starts i386
#              processes itself, so needs qemu >= 8.1) in a user and mount namespace whose own
#              binfmt_misc entry hands i386 programs to qemu;
#   none       no route: the tests that execute i386 code report themselves skipped, saying why.
# VANTREL_I386=emulated in the environment forces emulation on a machine that runs i386 natively.
# Sets VANTREL_I386_RUN, the command prefix of every test that executes i386 code (empty when
# native), and VANTREL_I386_SKIPPED, the exit status of a skipped test.
set(VANTREL_QEMU_DIR ${CMAKE_SOURCE_DIR}/build/qemu CACHE PATH
  "Where qemu-i386 is fetched to on a machine that does not run i386 code")
set(VANTREL_I386_SKIPPED 77)
set(VANTREL_I386_RUNNER sh ${CMAKE_SOURCE_DIR}/scripts/run-i386.sh)

if(WIN32)
  set(VANTREL_I386_TIER "Wine tests")
  set(VANTREL_I386_MIN_QEMU 8.1)  # older qemu places Wine's reservations over its shared data
  set(VANTREL_I386_QEMU_NEEDED "qemu-i386 >= 8.1")
else()
  set(VANTREL_I386_TIER "machine tests")
  set(VANTREL_I386_MIN_QEMU 0)
  set(VANTREL_I386_QEMU_NEEDED "qemu-i386")
endif()

# The version of the qemu-i386 at PATH, or nothing when it does not answer.
function(VantrelQemuVersion path out)
  execute_process(COMMAND ${path} --version OUTPUT_VARIABLE text ERROR_QUIET RESULT_VARIABLE status)
  set(${out} "" PARENT_SCOPE)
  if(status EQUAL 0 AND text MATCHES "version ([0-9]+\\.[0-9]+(\\.[0-9]+)?)")
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
  endif()
endfunction()

# A qemu-i386 of at least VANTREL_I386_MIN_QEMU: one fetched earlier, one on the PATH, or one
# fetched now. Sets VANTREL_QEMU and VANTREL_QEMU_VERSION, or VANTREL_I386_WHY_NOT.
function(VantrelFindQemu)
  find_program(on_path NAMES qemu-i386 qemu-i386-static NO_CACHE)
  foreach(pass look fetch)
    if(pass STREQUAL "fetch")
      execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/fetch-qemu.sh ${VANTREL_QEMU_DIR}
        RESULT_VARIABLE status ERROR_VARIABLE error)
      if(NOT status EQUAL 0)
        string(STRIP "${error}" error)
        string(REGEX REPLACE "\n.*" "" error "${error}")
        set(VANTREL_I386_WHY_NOT
          "no ${VANTREL_I386_QEMU_NEEDED} here and none could be fetched (${error})" PARENT_SCOPE)
        return()
      endif()
    endif()
    foreach(candidate ${VANTREL_QEMU_DIR}/qemu-i386 ${on_path})
      if(EXISTS ${candidate})
        VantrelQemuVersion(${candidate} version)
        if(version AND version VERSION_GREATER_EQUAL VANTREL_I386_MIN_QEMU)
          set(VANTREL_QEMU ${candidate} PARENT_SCOPE)
          set(VANTREL_QEMU_VERSION ${version} PARENT_SCOPE)
          return()
        endif()
      endif()
    endforeach()
  endforeach()
  set(VANTREL_I386_WHY_NOT "the fetched qemu-i386 is not a ${VANTREL_I386_QEMU_NEEDED}"
    PARENT_SCOPE)
endfunction()

set(forced "$ENV{VANTREL_I386}")
if(NOT forced MATCHES "^(auto|emulated)?$")
  message(FATAL_ERROR "VANTREL_I386 is '${forced}'; it can be 'auto' (the default) or 'emulated'")
endif()
execute_process(COMMAND sh ${CMAKE_SOURCE_DIR}/scripts/i386-probe.sh
  RESULT_VARIABLE not_native OUTPUT_VARIABLE probe OUTPUT_STRIP_TRAILING_WHITESPACE)
if(forced STREQUAL "emulated")
  set(because "forced by VANTREL_I386=emulated; probe: ${probe}")
else()
  set(because "probe: ${probe}")
endif()

set(VANTREL_I386_RUN "")
set(route native)
if(NOT not_native EQUAL 0 OR forced STREQUAL "emulated")
  VantrelFindQemu()
  if(VANTREL_QEMU AND WIN32)
    execute_process(COMMAND ${VANTREL_I386_RUNNER} namespace ${VANTREL_QEMU} true
      RESULT_VARIABLE status ERROR_VARIABLE error)
    if(NOT status EQUAL 0)
      string(STRIP "${error}" error)
      set(VANTREL_I386_WHY_NOT "no user namespace with its own binfmt_misc here (${error})")
      unset(VANTREL_QEMU)
    endif()
  endif()
  if(NOT VANTREL_QEMU)
    set(VANTREL_I386_RUN ${VANTREL_I386_RUNNER} skip "${VANTREL_I386_WHY_NOT}")
    set(route "none, they will be SKIPPED: ${VANTREL_I386_WHY_NOT}")
  elseif(WIN32)
    set(VANTREL_I386_RUN ${VANTREL_I386_RUNNER} namespace ${VANTREL_QEMU})
    set(route "emulated via qemu ${VANTREL_QEMU_VERSION} (${VANTREL_QEMU})")
    string(APPEND route " in a private binfmt namespace")
  else()
    set(VANTREL_I386_RUN ${VANTREL_I386_RUNNER} qemu ${VANTREL_QEMU})
    set(route "emulated via qemu ${VANTREL_QEMU_VERSION} (${VANTREL_QEMU})")
  endif()
endif()
message(NOTICE "i386 route for the ${VANTREL_I386_TIER}: ${route} (${because})")
