# Concatenates the program's source files into a C++ file that holds them as UTF-8
# bytes, so that the program can show its own listing. Run with -P:
#   -DSOURCE_DIR=<src> -DOUTPUT=<file.cpp>
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
     ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.c ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.y ${SOURCE_DIR}/*.in
     ${SOURCE_DIR}/CMakeLists.txt)
list(SORT sources)
set(listing "")
foreach(name ${sources})
  file(READ ${SOURCE_DIR}/${name} content)
  string(APPEND listing "// ===== ${name} =====\n${content}\n")
endforeach()
file(WRITE ${OUTPUT}.txt "${listing}")
file(READ ${OUTPUT}.txt hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){32})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
  "// Generated at build time: the program's own source listing, UTF-8.\n"
  "#include <cstddef>\n"
  "extern const char kTavelkoSourceListing[] = {\n${bytes}\n'\\0'};\n"
  "extern const std::size_t kTavelkoSourceListingSize = sizeof(kTavelkoSourceListing) - 1;\n")
file(REMOVE ${OUTPUT}.txt)
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
