# The input sources, as every front end offers them: name|long name|the
# layout's initial (the symbol is क and that initial), in the order the
# desktop lists them. ime/engine_names.h holds the same list for the code.
set(LEKHORA_ENGINE_LIST
  "lekhora-vimra|Lekhora Phonetic (Vimra)|V"
  "lekhora-phonetic|Lekhora Phonetic|P"
  "lekhora-inscript|Lekhora Inscript|I"
  "lekhora-remington|Lekhora Remington|R"
  "lekhora-roman|Lekhora IntelligentRoman|a")

# lekhora_engine_fields(entry name longname initial) splits one entry.
macro(lekhora_engine_fields entry name longname initial)
  string(REPLACE "|" ";" _fields "${entry}")
  list(GET _fields 0 ${name})
  list(GET _fields 1 ${longname})
  list(GET _fields 2 ${initial})
endmacro()
