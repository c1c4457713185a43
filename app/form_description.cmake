# Generates the stored description of the main window from its template: the glyph bitmaps and
# the skin file are stored inline as binary data (a 32-bit little-endian length, then the file,
# in hex), and template comment lines are dropped.
#   cmake -DTEMPLATE=... -DASSETS=... -DSKIN=... -DOUTPUT=... -P form_description.cmake
function(stored_data file out)
  file(READ ${file} hex HEX)
  file(SIZE ${file} size)
  math(EXPR b0 "${size} & 255" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b1 "(${size} >> 8) & 255" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b2 "(${size} >> 16) & 255" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR b3 "(${size} >> 24) & 255" OUTPUT_FORMAT HEXADECIMAL)
  set(prefix "")
  foreach(b ${b0} ${b1} ${b2} ${b3})
    string(REPLACE "0x" "" b ${b})
    string(LENGTH ${b} n)
    if(n EQUAL 1)
      set(b "0${b}")
    endif()
    string(APPEND prefix ${b})
  endforeach()
  string(TOUPPER "${prefix}${hex}" all)
  # Lines of 64 hex digits keep the description readable.
  string(REPEAT "." 64 line)
  string(REGEX REPLACE "(${line})" "\n        \\1" all "${all}")
  set(${out} "${all}" PARENT_SCOPE)
endfunction()

stored_data(${ASSETS}/glyph_connect.bmp GLYPH_CONNECT)
stored_data(${ASSETS}/glyph_close.bmp GLYPH_CLOSE)
stored_data(${ASSETS}/glyph_application.bmp GLYPH_APPLICATION)
stored_data(${ASSETS}/glyph_upgrade.bmp GLYPH_UPGRADE)
stored_data(${SKIN} SKIN_STREAM)

file(READ ${TEMPLATE} text)
string(REGEX REPLACE "\n[ ]*//[^\n]*" "" text "${text}")
string(CONFIGURE "${text}" text @ONLY)
file(WRITE ${OUTPUT}.tmp "${text}")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
