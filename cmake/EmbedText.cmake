# Turns a UTF-8 text file into a C++ source defining RESULT_CATALOGUE as one
# wide string constant. Run with -DINPUT=... -DOUTPUT=... -P EmbedText.cmake
file(READ "${INPUT}" text)
string(REPLACE "\\" "\\\\" text "${text}")
string(REPLACE "\"" "\\\"" text "${text}")
string(REPLACE "\r" "" text "${text}")
# One source line per text line keeps the generated file readable.
string(REPLACE "\n" "\\n\"\n    L\"" text "${text}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from result_catalogue.txt by EmbedText.cmake; edit the text file.
#include \"quiz/result_catalogue.h\"

const wchar_t RESULT_CATALOGUE[] =
    L\"${text}\";
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
