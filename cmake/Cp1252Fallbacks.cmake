# The table of code page 1252 fallbacks that RTF text writes after each \uN, generated
# at build time from the Unicode character database (Debian package unicode-data).
#
#   vitacraft_add_cp1252_fallbacks(TARGET)
#
# adds the generated Cp1252Fallbacks.inc to TARGET's sources and include path.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(VITACRAFT_UNICODE_DATA /usr/share/unicode/UnicodeData.txt
    CACHE FILEPATH "UnicodeData.txt of the Unicode character database")
if(NOT EXISTS ${VITACRAFT_UNICODE_DATA})
  message(FATAL_ERROR "${VITACRAFT_UNICODE_DATA} is missing: install the package unicode-data "
                      "(scripts/install-deps.sh) or set VITACRAFT_UNICODE_DATA")
endif()
set(VITACRAFT_CP1252_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/cp1252-fallbacks.py)

function(vitacraft_add_cp1252_fallbacks target)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(table ${dir}/Cp1252Fallbacks.inc)
  add_custom_command(
    OUTPUT ${table}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND Python3::Interpreter ${VITACRAFT_CP1252_GENERATOR} ${VITACRAFT_UNICODE_DATA} ${table}
    DEPENDS ${VITACRAFT_CP1252_GENERATOR} ${VITACRAFT_UNICODE_DATA}
    COMMENT "Generating the code page 1252 fallbacks of Unicode characters")
  target_sources(${target} PRIVATE ${table})
  target_include_directories(${target} PRIVATE ${dir})
endfunction()
