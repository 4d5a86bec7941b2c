# Script mode: writes a C++ source that carries files as byte arrays.
#   cmake -DMANIFEST=<list file> -DOUTPUT=<cpp> -P EmbedFiles.cmake
# The manifest sets EMBED_ENTRIES to pairs: name;path;name;path;...
include(${MANIFEST})
list(LENGTH EMBED_ENTRIES count)
math(EXPR pairs "${count} / 2")

set(body "")
set(table "")
set(index 0)
while(index LESS pairs)
    math(EXPR at "${index} * 2")
    math(EXPR pathAt "${at} + 1")
    list(GET EMBED_ENTRIES ${at} name)
    list(GET EMBED_ENTRIES ${pathAt} path)
    file(SIZE ${path} size)
    if(size EQUAL 0)
        set(bytes "0x00")
    else()
        file(READ ${path} hex HEX)
        # 16 bytes per line.
        string(REGEX REPLACE "([0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f][0-9a-f])"
               "\\1\n" hex "${hex}")
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    endif()
    string(APPEND body "alignas(4) const unsigned char kFile${index}[] = {\n${bytes}};\n")
    string(APPEND table "    {\"${name}\", kFile${index}, ${size}u},\n")
    math(EXPR index "${index} + 1")
endwhile()

if(pairs EQUAL 0)
    set(table "    {nullptr, nullptr, 0u},\n")
endif()

set(text "// Generated at build time from the committed resource files; do not edit.
#include \"res/EmbeddedFiles.h\"

namespace {
${body}} // namespace

const EmbeddedFile kEmbeddedFiles[] = {
${table}};
const std::size_t kEmbeddedFileCount = ${pairs};
")
# Rewrite only on change, so an unchanged build does not recompile.
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} old)
    if(old STREQUAL text)
        return()
    endif()
endif()
file(WRITE ${OUTPUT} "${text}")
