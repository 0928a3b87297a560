# Joins text files into one with Windows's line ends, so that Notepad of any age shows its lines.
# -DOUT=the file to write, -DPARTS=the files, in order, a blank line between them.
set(text "")
foreach(part ${PARTS})
  file(READ ${part} body)
  string(APPEND text "${body}\n")
endforeach()
string(REGEX REPLACE "\r?\n" "\r\n" text "${text}")
file(WRITE ${OUT} "${text}")
