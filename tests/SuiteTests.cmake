# Read by ctest (TEST_INCLUDE_FILES), after a build: the headless tests of the test binary as ctest
# tests of up to CHUNK tests of one suite each, run in one process. A process costs more to start than
# most of these tests take (about half a second under the sanitizers), and every test already starts
# from a content tree of its own and leaves no singleton holding anything, as in a process of its own.
# The suites named in LONG, whose tests each run for many seconds, go a test to a process and are
# started first (with no timings kept from an earlier run, ctest starts the costliest first).
# Set before this is read: BINARY, FILTER (gtest's), CHUNK, LABEL, LONG.
execute_process(COMMAND "${BINARY}" --gtest_list_tests "--gtest_filter=${FILTER}"
                OUTPUT_VARIABLE listing ERROR_VARIABLE listing_errors RESULT_VARIABLE listed)
if(NOT listed EQUAL 0)
  # A binary that cannot list its tests fails the run instead of running nothing.
  add_test(${LABEL}.listing "${BINARY}" --gtest_list_tests)
  set_tests_properties(${LABEL}.listing PROPERTIES LABELS ${LABEL})
  return()
endif()

function(add_suite_chunks suite)
  set(names ${ARGN})
  list(LENGTH names count)
  if(count EQUAL 0)
    return()
  endif()
  set(cost_each 1)
  list(FIND LONG "${suite}" long)
  if(long GREATER -1)
    set(CHUNK 1)
    set(cost_each 100)
  endif()
  if(count LESS_EQUAL CHUNK)
    math(EXPR cost "${count} * ${cost_each}")
    add_test(${suite} "${BINARY}" "--gtest_filter=${suite}.*")
    set_tests_properties(${suite} PROPERTIES LABELS ${LABEL} COST ${cost})
    return()
  endif()
  set(number 0)
  foreach(first RANGE 0 ${count} ${CHUNK})
    if(first EQUAL count)
      break()
    endif()
    math(EXPR number "${number} + 1")
    list(SUBLIST names ${first} ${CHUNK} chunk)
    list(LENGTH chunk taken)
    math(EXPR cost "${taken} * ${cost_each}")
    list(TRANSFORM chunk PREPEND "${suite}.")
    list(JOIN chunk ":" filter)
    add_test(${suite}.${number} "${BINARY}" "--gtest_filter=${filter}")
    set_tests_properties(${suite}.${number} PROPERTIES LABELS ${LABEL} COST ${cost})
  endforeach()
endfunction()

# Suites are the lines "Name." (a parameterised one followed by a comment), their tests the indented
# lines below, "  Test" or "  Test/param  # GetParam() = ...".
string(REPLACE "\n" ";" lines "${listing}")
set(suite "")
set(tests "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.( |$)")
    add_suite_chunks("${suite}" ${tests})
    set(suite "${CMAKE_MATCH_1}")
    set(tests "")
  elseif(suite AND line MATCHES "^  ([A-Za-z0-9_/]+)")
    list(APPEND tests "${CMAKE_MATCH_1}")
  endif()
endforeach()
add_suite_chunks("${suite}" ${tests})
