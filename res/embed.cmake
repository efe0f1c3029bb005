# Writes OUT: a C++ source holding the files FILES (comma-separated, relative to DIR) as byte
# arrays, registered with the resource reader when the program starts.
string(REPLACE "," ";" files "${FILES}")
# CMake's regular expressions have no {n}: spell out twenty bytes.
string(REPEAT "0x..," 20 twenty)
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS files)
  file(READ "${DIR}/${name}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  # Twenty bytes a line keeps the generated file readable and quick to compile.
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${twenty})" "\\1\n" bytes "${bytes}")
  # A trailing zero byte, not counted in the size, lets a text file be read as a C string too.
  string(APPEND arrays "alignas(8) const unsigned char file${index}[] = {\n${bytes}0};\n\n")
  string(APPEND entries "    {\"${name}\", file${index}, ${size}ul},\n")
  math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUT}.tmp" "// Generated from res/ by res/embed.cmake; do not edit.
#include \"resources.h\"

namespace {

${arrays}const rc::EmbeddedFile kFiles[] = {
${entries}};

struct Registration {
    Registration() { rc::RegisterEmbeddedFiles(kFiles, sizeof kFiles / sizeof kFiles[0]); }
} registration;

}  // namespace
")
# Only a changed source is rewritten, so an unchanged resource set recompiles nothing.
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
