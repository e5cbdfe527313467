# Checks that the README shows an example file whole, as an indented code block:
#   cmake -DEXAMPLE=examples/x.c -DREADME=README.md -P readme_shows.cmake
file(READ ${EXAMPLE} example)
file(READ ${README} readme)
string(REGEX REPLACE "\n([^\n])" "\n    \\1" indented "\n${example}")
string(FIND "${readme}" "${indented}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${README} does not show ${EXAMPLE} as it stands (indented by four spaces)")
endif()
