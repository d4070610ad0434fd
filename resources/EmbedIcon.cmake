# Writes the icon PNG as a C++ byte array (run with -DINPUT=... -DOUTPUT=...).
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT}
  "// Generated from ${INPUT}; do not edit.\n"
  "#include \"resources/Icon.h\"\n\n"
  "namespace {\nconst unsigned char kIconPng[] = {${bytes}};\n}\n\n"
  "std::span<const unsigned char> ProgramIconPng() { return kIconPng; }\n")
