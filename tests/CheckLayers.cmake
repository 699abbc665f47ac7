# Fails when a file of src/ includes a header of a layer above its own, or a Qt header outside the Qt
# binding. The layers, lowest first: engine < listing, settings, text < app, params < ui; cli stands on the
# engine, the listing, the settings and the text alone.
# Each rule: a folder of src, then the include prefixes its files may not use.
set(rules
    "engine|app/|params/|listing/|settings/|text/|ui/|cli/|Q"
    "listing|app/|params/|settings/|text/|ui/|cli/|Q"
    "settings|app/|params/|listing/|text/|ui/|cli/|Q"
    "text|app/|params/|listing/|settings/|ui/|cli/|Q"
    "app|ui/|cli/|Q"
    "params|ui/|cli/|Q"
    "cli|app/|params/|ui/|Q")
set(offenders "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(POP_FRONT parts folder)
    list(JOIN parts "|" forbidden)
    file(GLOB_RECURSE files ${SOURCE_DIR}/src/${folder}/*)
    if(NOT files)
        message(FATAL_ERROR "no files under ${SOURCE_DIR}/src/${folder}")
    endif()
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
