# cmake -DINPUT=<file> -DOUTPUT=<file> -P embed_bytes.cmake
# Writes the bytes of INPUT as a comma-separated list of hexadecimal literals,
# sixteen to a line, for a C++ array initialiser to #include.
if(NOT DEFINED INPUT OR NOT DEFINED OUTPUT)
  message(FATAL_ERROR "embed_bytes.cmake needs INPUT and OUTPUT")
endif()
file(READ "${INPUT}" hex HEX)
# Sixteen bytes are 32 hexadecimal digits: break the line after each run.
string(REPEAT "[0-9a-f]" 32 line)
string(REGEX REPLACE "(${line})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
file(WRITE "${OUTPUT}" "${bytes}\n")
