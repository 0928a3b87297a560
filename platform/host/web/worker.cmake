# Writes the service worker of one build (cmake -P): its cache is named after the contents of
# the page's files, so that every build that changes any of them replaces the cache whole.
# -DPAGE=dir -DTEMPLATE=sw.js -DFILES=a;b;c
set(digests "")
set(quoted "")
foreach(name IN LISTS FILES)
  file(SHA256 ${PAGE}/${name} digest)
  string(APPEND digests ${digest})
  list(APPEND quoted "\"${name}\"")
endforeach()
string(SHA256 BUILD "${digests}")
string(SUBSTRING ${BUILD} 0 16 BUILD)
list(JOIN quoted ", " FILES)
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
