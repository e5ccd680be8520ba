# Builds the dialog bitmap and the icon into a target as byte arrays
# (orvaneDialogBmp, orvaneIconBmp and their sizes), so the program needs no
# files of its own at run time. Re-runs when a picture changes.
function(orvane_embed_resources target)
  set(dir ${PROJECT_SOURCE_DIR}/resources)
  set(body "// Generated from resources/ by EmbedResources.cmake.\n#include <cstddef>\n#include <cstdint>\n")
  foreach(entry "dialog.bmp=orvaneDialogBmp" "icon.bmp=orvaneIconBmp")
    string(REPLACE "=" ";" entry ${entry})
    list(GET entry 0 file)
    list(GET entry 1 symbol)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${dir}/${file})
    file(READ ${dir}/${file} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # 32 bytes per line.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
    string(APPEND body "extern const uint8_t ${symbol}[] = {\n${bytes}};\n")
    string(APPEND body "extern const size_t ${symbol}Size = ${size};\n")
  endforeach()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/EmbeddedResources.cpp)
  file(CONFIGURE OUTPUT ${out} CONTENT "${body}")
  target_sources(${target} PRIVATE ${out})
endfunction()
