# Compiles every probe and expects each to stop at the upward include, with the compiler saying
# the header was not found (GCC: "<header>: No such file or directory", Clang: "'<header>' file
# not found"). A probe that compiles, or fails for another reason, names the leaking pair.
set(keep_going)
if(GENERATOR MATCHES "Ninja")
  set(keep_going -- -k 0)
elseif(GENERATOR MATCHES "Makefiles")
  set(keep_going -- -k)
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target ${PROBES} ${keep_going}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "Every probe compiled: no layer is kept from including a higher one.")
endif()

set(leaks)
foreach(probe header IN ZIP_LISTS PROBES HEADERS)
  string(REPLACE "." "\\." pattern "${header}")
  if(NOT output MATCHES "${probe}\\.cpp:[0-9]+:[0-9]+: fatal error: '?${pattern}'?:? (No such file or directory|file not found)")
    list(APPEND leaks "${probe} (${header})")
  endif()
endforeach()
if(leaks)
  string(REPLACE ";" "\n  " leaks "${leaks}")
  message(FATAL_ERROR "These lower layers can include a higher layer's header:\n  ${leaks}\n\n${output}")
endif()
list(LENGTH PROBES count)
message(STATUS "${count} upward includes fail to compile")
