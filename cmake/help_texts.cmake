# The help window's texts are RTF files in resources/. The build turns them into the string
# constants of app/help_texts.h, every line ending in CR LF, for the native and Windows builds.
# Included from CMakeLists.txt it adds the generated source to sonabrill_core; run with -P it
# writes that source (OUTPUT) from the files in SOURCE_DIR/resources.

if(CMAKE_SCRIPT_MODE_FILE)
    set(generated "// Generated at build time from resources/*.rtf; edit those files instead.\n")
    string(APPEND generated "#include \"app/help_texts.h\"\n")
    foreach(pair "info_header=info_header" "info_text_english=info_english"
                 "info_text_german=info_german")
        string(REPLACE "=" ";" pair "${pair}")
        list(GET pair 0 name)
        list(GET pair 1 file)
        file(READ "${SOURCE_DIR}/resources/${file}.rtf" text)
        # Line ends become CR LF whatever the checkout did to them; backslashes and quotes are
        # escaped for C; each line becomes one literal of the concatenation.
        string(REPLACE "\r" "" text "${text}")
        string(REPLACE "\\" "\\\\" text "${text}")
        string(REPLACE "\"" "\\\"" text "${text}")
        string(REPLACE "\n" "\\r\\n\"\n    \"" text "${text}")
        string(APPEND generated "\nconst char ${name}[] =\n    \"${text}\";\n")
    endforeach()
    file(WRITE "${OUTPUT}" "${generated}")
    return()
endif()

set(help_text_source ${CMAKE_BINARY_DIR}/generated/help_texts.cpp)
set(help_text_files ${CMAKE_SOURCE_DIR}/resources/info_header.rtf
    ${CMAKE_SOURCE_DIR}/resources/info_english.rtf ${CMAKE_SOURCE_DIR}/resources/info_german.rtf)
add_custom_command(OUTPUT ${help_text_source}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${help_text_source}
            -P ${CMAKE_CURRENT_LIST_FILE}
    DEPENDS ${help_text_files} ${CMAKE_CURRENT_LIST_FILE}
    COMMENT "Embedding the help texts")
target_sources(sonabrill_core PRIVATE ${help_text_source})
