# cmake -DINPUT=player.exe -DOUTPUT=player_image.cpp -P embed_player.cmake
# Writes the bytes of the player program as the C++ array that tevra-pack
# build copies. Without INPUT the array is empty and build says why.
if(INPUT)
  file(READ ${INPUT} hex HEX)
  string(LENGTH "${hex}" hex_length)
  math(EXPR size "${hex_length} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
else()
  set(size 0)
  set(bytes "0")
endif()
file(WRITE ${OUTPUT}.tmp
  "// Generated from the player program by tools/embed_player.cmake: do not edit.\n"
  "#include \"tools/player_image.h\"\n\n"
  "const unsigned char kPlayerImage[] = {\n${bytes}\n};\n"
  "const size_t kPlayerImageSize = ${size};\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
