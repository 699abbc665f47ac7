# Fails when a file of src/settings or src/text includes a file of a layer above it, or a Qt header.
# Each rule: a folder of src, then the include prefixes its files may not use.
set(rules
    "settings|app/|params/|listing/|ui/|cli/|text/ProgramText|Q"
    "text|app/|params/|listing/|ui/|cli/|settings/|Q")
set(offenders "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(POP_FRONT parts folder)
    list(JOIN parts "|" forbidden)
    file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*)
    foreach(f IN LISTS files)
        file(STRINGS ${f} hits REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](${forbidden})")
        if(hits)
            list(APPEND offenders "${f}: ${hits}")
        endif()
    endforeach()
endforeach()
if(offenders)
    list(JOIN offenders "\n" offenders)
    message(FATAL_ERROR "Includes against the layers:\n${offenders}")
endif()
