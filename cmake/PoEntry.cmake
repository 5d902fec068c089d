# Writes OUTPUT: the .po file INPUT followed by one entry whose msgid is the
# text of MSGID_FILE and whose msgstr is the text of MSGSTR_FILE.
# Run with -DINPUT=... -DMSGID_FILE=... -DMSGSTR_FILE=... -DOUTPUT=... -P PoEntry.cmake
function(po_quote out text)
  string(REPLACE "\\" "\\\\" text "${text}")
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "\t" "\\t" text "${text}")
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE "\n" "\\n\"\n\"" text "${text}")
  set(${out} "\"\"\n\"${text}\"" PARENT_SCOPE)
endfunction()

file(READ "${INPUT}" po)
file(READ "${MSGID_FILE}" msgid)
file(READ "${MSGSTR_FILE}" msgstr)
po_quote(msgid "${msgid}")
po_quote(msgstr "${msgstr}")
file(WRITE "${OUTPUT}.tmp" "${po}\nmsgid ${msgid}\nmsgstr ${msgstr}\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
