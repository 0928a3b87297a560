# Joins text files into one with Windows's line ends, so that Notepad of any age shows its lines.
# -DOUT=the file to write, -DPARTS=the files, in order; -DTITLES=, when given, a heading for each
# part.
set(text "")
set(index 0)
foreach(part ${PARTS})
  if(DEFINED TITLES)
    list(GET TITLES ${index} title)
    string(APPEND text "\n==============================================================================\n${title}\n==============================================================================\n\n")
  endif()
  math(EXPR index "${index} + 1")
  file(READ ${part} body)
  string(APPEND text "${body}\n")
endforeach()
string(REGEX REPLACE "\r?\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
