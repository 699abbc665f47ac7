# Fails when a file of the logic includes a Qt header.
file(GLOB_RECURSE logic_files
    ${SOURCE_DIR}/src/app/* ${SOURCE_DIR}/src/engine/* ${SOURCE_DIR}/src/listing/*
    ${SOURCE_DIR}/src/params/* ${SOURCE_DIR}/src/text/*)
set(offenders "")
foreach(f IN LISTS logic_files)
    file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]Q")
    if(hits)
        list(APPEND offenders "${f}: ${hits}")
    endif()
endforeach()
if(offenders)
    message(FATAL_ERROR "Qt headers in the logic:\n${offenders}")
endif()
