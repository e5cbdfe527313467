#!/usr/bin/env bash
# End-to-end tests of the brevant tool's commands: tool_test.sh CASE BREVANT SOURCE_DIR WORK_DIR
source "$3/tests/tool/common.sh"

# path_width SVG PATTERN: x2 - x1 of the first path "M x1 y1 L x2 ..." on a line that matches PATTERN, in
# points with two decimals.
path_width() {
    grep -E -- "$2" "$1" | head -1 | sed -E 's/.* d="M ([-0-9.]+) [-0-9.]+ L ([-0-9.]+) .*/\1 \2/' |
        awk '{ printf "%.2f\n", $2 - $1 }'
}

# bar PDF PAGE: the length in points of the calibration bar on the page, drawn by poppler at true size.
bar() {
    pdftocairo -svg -noshrink -nocenter -f "$2" -l "$2" "$1" "page$2.svg" && path_width "page$2.svg" 'stroke-width:5\.669291;'
}

case_list() {
    table <<'ROWS'
0 | list $SAMPLE               | golden list
1 | list $DATA/faulty_crlf.ini | out ^0 +Broken +round +20\.0 x 20\.0 +0 +none$
  |                            | err 3 faulty lines were skipped
0 | show $SAMPLE 11            | golden show_11
0 | show $SAMPLE               | out Hoop rect +none \(the hoop has no mounts\)
  |                            | [ "$(grep -c '^Hoop ' out.txt)" -eq 13 ]
2 | show $SAMPLE 13            | err hoop 13 does not exist
2 |                            |
2 | frobnicate                 | err unknown command "frobnicate"
0 | --help                     | out Exit status: 0 success
ROWS
}

# check names each faulty line by its editor line (the loader also ends lines at each CR and at 0xFF) and shows
# it with control characters escaped, cut short when long.
case_check() {
    cp "$DATA/faulty_crlf.ini" "$DATA/faulty_lf.ini" .
    printf '[hoops]\n[hoops.hoop0]\npoints=%s0\n[hoops.hoop1]\n' "$(printf '1,%.0s' {1..9000})" >overlong.ini
    table <<'ROWS'
0 | check $SAMPLE                   | out hoops\.ini: no faulty lines, 13 hoops loaded\.$
  |                                 | [ "$(wc -l <out.txt)" -eq 1 ]
1 | check faulty_crlf.ini           | golden faulty_crlf
1 | check faulty_lf.ini             | golden faulty_lf
1 | check - < <(printf '[hoops]\r\n\n[hoops.hoop0]\rab\001c\r%0300d\r' 0) | golden lone_cr
1 | check overlong.ini              | out ^overlong\.ini:3: the line is longer than 16383 characters; the loader stops here
  |                                 | out : no faulty lines, 2 problems, 1 hoop loaded\.$
2 | check $DATA/not_a_catalogue.ini | out cannot load: it is not a hoop catalogue
2 | check missing.ini               | out missing\.ini: cannot load: No such file or directory
2 | check - < <(printf 'INB\010\015\001') | out ^<stdin>: the library reports: INIBinaryLoadData\(\) > The Binary INI file has invalid size!$
  |                                 | out ^<stdin>: cannot load: it is not a readable binary INI file
2 | list $DATA                      | err it is a directory
ROWS
}

# A catalogue written as the library saves it converts to the same bytes; OUT stays as it was whenever
# convert or import fails. JSON texts are UTF-8: texts that are not are read as Latin-1.
case_convert() {
    echo precious >kept.ini
    table <<'ROWS'
0 | convert $SAMPLE out.ini                             | same_bytes "$SAMPLE" out.ini
0 | convert out.ini out.ini                             | same_bytes "$SAMPLE" out.ini
0 | convert $SOURCE/examples/hoops.inb out.ini          | same_bytes "$SAMPLE" out.ini
2 | convert missing.ini kept.ini                        |
1 | convert $DATA/faulty_crlf.ini kept.ini              | err would be lost.*--force
2 | convert $SAMPLE out.inb                             | [ ! -e out.inb ]
1 | convert --skip-faulty $DATA/faulty_crlf.ini out.ini | has out.ini '^description="Broken"'
0 | convert - out.ini <<<$'[hoops]\n[hoops.hoop0]\n[hoops.hoop511]\ndescription="Last"' | has out.ini '^description="Last"'
1 | import - -o kept.ini <<<'{"hoops": [{"description": "two\nlines"}]}' | err hoop 0 \(two
  |                                                     | err holds a line break
1 | import - -o kept.ini <<<"{\"hoops\": [$(printf '{},%.0s' {1..512}){}]}" | err 513 hoops read back as 512
  |                                                     | [ "$(cat kept.ini)" = precious ]
0 | json $SAMPLE | out "sewField": \{"left": -650, "top": 900, "right": 650, "bottom": -900\}
0 | json - <<<$'[hoops]\n[hoops.hoop0]\ndescription="Caf\xe9"\nshape="\xc3\xa9t\xc3\xa9"' | out "description": "Café",$
  |                                                     | out "shape": "été",$
ROWS
}

# A JSON document that is not a catalogue is refused with the place of the fault, and nothing is written.
case_import_errors() {
    table <<'ROWS'
2 | import - -o out.ini <<<$'{"hoops": [\n  {"description": "a",}\n]}'            | err <stdin>: malformed JSON at byte 35: .*line 2, column 23
2 | import - -o out.ini <<<'[]'                                                   | err the document: expected an object
2 | import - -o out.ini <<<'{}'                                                   | err hoops: missing
2 | import - -o out.ini <<<'{"hoops": {}}'                                        | err hoops: expected an array of hoops
2 | import - -o out.ini <<<'{"hoops": [{}, {"description": 5}]}'                  | err hoops\[1\]\.description: expected a string
2 | import - -o out.ini <<<'{"hoops": [{}, {}, {"mounts": [{"lowX": 1.5}]}]}'     | err hoops\[2\]\.mounts\[0\]\.lowX: expected an integer
2 | import - -o out.ini <<<'{"hoops": [{"points": {}}]}'                          | err hoops\[0\]\.points: expected an array
2 | import - -o out.ini <<<'{"hoops": [{"points": [[1, 2], [3]]}]}'               | err hoops\[0\]\.points\[1\]: expected a pair
2 | import - -o out.ini <<<'{"hoops": [{"sewfield": {}}]}'                        | err hoops\[0\]\.sewfield: unknown field
2 | import - -o out.ini <<<'{"hoops": [{"sewField": {"left": 1}}]}'               | err hoops\[0\]\.sewField\.top: missing
2 | import - -o out.ini <<<'{"hoops": [{"innerDim": {"left": 1, "top": 2, "right": 3, "bottom": 4294967296}}]}' | err hoops\[0\]\.innerDim\.bottom: the integer does not fit 32 bits
2 | import - -o out.ini <<<'{"hoops": [{"outerDim": {"left": -2147483648, "top": 0, "right": 0, "bottom": 0}}]}' | err hoops\[0\]\.outerDim\.left: -2147483648 cannot be stored
  |                                                                               | [ ! -e out.ini ]
ROWS
}

case_render() {
    table <<'ROWS'
0 | render $SAMPLE -o hoops.png            | [ "$(head -c 4 hoops.png | tail -c 3)" = PNG ]
0 | render $SAMPLE -o hoops.SVG --fit-each | has hoops.SVG '<svg'
0 | render $SAMPLE -o hoop.pdf --hoop 11   | [ "$(head -c 5 hoop.pdf)" = %PDF- ]
2 | render $SAMPLE -o hoops.gif            | err use \.png, \.svg or \.pdf
2 | render $SAMPLE -o hoop.png --hoop 13   |
2 | render $SAMPLE -o hoop.png --hoop 0x1  |
ROWS
}

case_fit() {
    table <<'ROWS'
0 | fit $SAMPLE 120x80.5    | out A design of 120\.0 x 80\.5 mm fits 6 hoops
  |                         | sed -n 3p out.txt | grep -E -q '^ *5 +Square 150x150 +150\.0 x 150\.0 +as it is +15\.0 +34\.8$'
0 | fit $SAMPLE '175 X 65mm' | sed -n 3p out.txt | grep -E -q '^ *10 +Sleeve 70x180 +70\.0 x 180\.0 +turned 90 degrees +2\.5 +2\.5$'
1 | fit $SAMPLE 400x10      | out No hoop of .* takes a design of 400\.0 x 10\.0 mm
2 | fit $SAMPLE 120by80     |
ROWS
}

# Quarter turns turn the outline with the rectangles; four of them give the catalogue back byte for byte.
case_rotate() {
    table <<'ROWS'
0 | rotate $SAMPLE 6 90 -o turned.ini  | has turned.ini '^points=610,-1060,667,-1049,'
0 | show turned.ini 6                  | out Sew field +left +-700 +top +1000 +right +700 +bottom +-1000 +\(140\.0 x 200\.0 mm\)
0 | show turned.ini 7                  | out Sew field +left +-1300 +top +800 +right +1300 +bottom +-800
0 | rotate turned.ini 6 270 -o turned.ini && tool rotate turned.ini 6 -450 -o turned.ini && tool rotate turned.ini 6 450 -o turned.ini | same_bytes "$SAMPLE" turned.ini
2 | rotate $SAMPLE 13 90 -o bad.ini    |
2 | rotate $SAMPLE 6 45 -o bad.ini     | err 45 degrees is not a quarter turn.*--any-angle
2 | rotate $SAMPLE 6 0x5A -o bad.ini   | [ ! -e bad.ini ]
0 | rotate $SAMPLE 6 45 --any-angle -o tilted.ini | err sew field 200\.0 x 140\.0 mm is now 42\.4 x 240\.4 mm
  |                                    | err no longer lies inside the outline
ROWS
}

# Templates at true size: read back with poppler, the calibration bar is 100 mm (283.46 pt) long and the sew
# field of the 130 mm wide oval 368.50 pt wide; a hoop taller than the paper is tiled.
case_template() {
    table <<'ROWS'
0 | template $SAMPLE 4 -o oval.pdf   | out ^wrote oval\.pdf: 1 page of A4$
  |                                  | pdfinfo oval.pdf | grep -E -q '^Page size: +595\.276 x 841\.89 pts'
  |                                  | [ "$(bar oval.pdf 1)" = 283.46 ]
  |                                  | [ "$(path_width page1.svg 'stroke-width:1;.*stroke:rgb\(11\.9')" = 368.50 ]
  |                                  | pdftotext oval.pdf - | grep -q 'must be exactly 100 mm'
0 | template $SAMPLE 11 -o tall.pdf --paper Letter | out 2 pages of Letter$
  |                                  | pdfinfo tall.pdf | grep -E -q '^Page size: +612 x 792 pts'
  |                                  | [ "$(bar tall.pdf 2)" = 283.46 ]
  |                                  | pdftotext -f 1 -l 1 tall.pdf first.txt && grep -q 'Cut each page at the marks' first.txt
  |                                  | [ "$(grep -c -x -e A1 -e B1 first.txt)" = 2 ] # the page and its neighbour below
0 | template $SAMPLE 8 -o -          | [ "$(head -c 5 out.txt)" = %PDF- ]
2 | template $SAMPLE 4 -o bad.pdf --paper a3 | err use a4 or letter
2 | template $SAMPLE 13 -o bad.pdf   |
2 | template - 0 -o bad.pdf <<<$'[hoops]\n[hoops.hoop0]\npoints=0,0,90000000,0,0,90000000' | err would take [0-9]+ pages
  |                                  | [ ! -e bad.pdf ]
ROWS
}

# Editing without JSON: each field reaches its own place, refusals leave the file as it was, and changes
# that undo each other give the sample back byte for byte.
case_edit() {
    cp "$SAMPLE" cat.ini
    printf '[hoops]\n; kept by hand\n[hoops.hoop0]\ndescription="A"\n' >noted.ini && cp noted.ini noted.before
    table <<'ROWS'
0 | add cat.ini "Giant 400x400" square                 | out added hoop 13 \(Giant 400x400\)
0 | add cat.ini Left --to 13 --id 7                     | out added mount 0 "Left" \(id 7\)
0 | set cat.ini 13 Points '0,0, 10,0, 10,010'           | has cat.ini '^points=0,0,10,0,10,10[^,0-9]'
0 | set cat.ini 13 mounts.0.LABEL 'Far left'            |
ROWS
    local edit # every value differs, so that a field set in the wrong place shows
    for edit in sewfield=-2000,2001,2002,-2003 sewField.top=1500 innerDim=-10,11,12,-13 innerdim.bottom=-14 \
        outerdim=1,2,3,4 shape=oval mounts.0.id=8 mounts.0.rotation=90 mounts.0.lowx=-500 mounts.0.highX=-400 \
        mounts.0.lowy=-300 mounts.0.highy=2147483647; do
        run 0 set cat.ini 13 "${edit%%=*}" "${edit#*=}"
    done
    table <<'ROWS'
0 | set cat.ini 13 outerdim.right 2100 -o copy.ini      | has copy.ini '^rect=1,2,2100,4[^0-9]'
0 | set cat.ini 13 mounts.0.lowhighxy 7,8,9,10 -o copy.ini | has copy.ini '^lowhighxy=7,8,9,10[^0-9]'
0 | show cat.ini 13                                     | golden edited
  |                                                     | cp cat.ini before.ini
2 | set cat.ini 13 sewfield 1,2,3                       | err takes 4 numbers
2 | set cat.ini 13 sewfield.left 0x10                   | err not a decimal whole number
2 | set cat.ini 13 sewfield.middle 1                    | err edges are left, top, right and bottom
2 | set cat.ini 13 sewfield.left ''                     | err empty value
2 | set cat.ini 13 mounts.0.lowx -2147483648            | err cannot be stored
2 | set cat.ini 13 mounts.0.lowx 2147483648             | err does not fit 32 bits
2 | set cat.ini 13 outerdim 1,2,3,-2147483648           | err cannot be stored
2 | set cat.ini 13 points 1,2,3                         | err no whole pairs
2 | set cat.ini 13 mounts.1.label X                     | err its mounts are 0 to 0
2 | set cat.ini 13 mounts.x.id 1                        | err has no mount
2 | set cat.ini 13 mounts.0.speed 1                     | err unknown field
2 | set cat.ini 13 rotation 90                          | err brevant rotate
2 | set cat.ini 13 colour red                           | err unknown field "colour"
2 | set cat.ini 14 description X                        |
2 | move cat.ini 13 14                                  |
2 | remove cat.ini 13 --mount 1                         | same_bytes before.ini cat.ini
0 | remove cat.ini 13                                   | same_bytes "$SAMPLE" cat.ini
0 | move cat.ini 3 7                                    |
0 | show cat.ini 7                                      | out Description +"Square 100x100"
0 | show cat.ini 3                                      | out Description +"Oval 130x180"
0 | move cat.ini 7 3                                    | same_bytes "$SAMPLE" cat.ini
0 | move cat.ini 11 2 --mount 0                         |
0 | show cat.ini 11                                     | out 0: "Middle"
  |                                                     | out 2: "Bottom" +id 1 +rotation 0 +x 0 to 0 +y -1000 to -1000
0 | remove cat.ini 11 --mount 1                         |
0 | show cat.ini 11                                     | out Mounts +2$
  |                                                     | out 1: "Bottom"
0 | add cat.ini "Copy of 4" --like 4                    |
0 | show cat.ini 13                                     | out Description +"Copy of 4"
  |                                                     | out Shape +"oval"
  |                                                     | out Inner dim +left +-780 +top +1080 +right +780 +bottom +-1080
1 | set noted.ini 0 description B                       | err would be lost
  |                                                     | same_bytes noted.before noted.ini
0 | set noted.ini 0 description B --force               | has noted.ini '^description="B"'
ROWS
}

# merge copies hoops through the library: all of B, or the ones named, in the order named.
case_merge() {
    table <<'ROWS'
0 | merge $SAMPLE $SAMPLE -o both.ini --hoop 4 --hoop 0 | out wrote both\.ini: 15 hoops
0 | list both.ini                                      | out ^13 +Oval 130x180
  |                                                    | out ^14 +Small 50x50
0 | merge $SAMPLE $SAMPLE -o all.ini                   | head -c "$(wc -c <"$SAMPLE")" all.ini | cmp -s - "$SAMPLE"
0 | show all.ini 24                                    | out 2: "Top" +id 3 +rotation 0 +x 0 to 0 +y 1000 to 1000
2 | merge $SAMPLE $SAMPLE -o bad.ini --hoop 13         | err hoop 13 does not exist
1 | merge $SAMPLE - -o bad.ini <<<$'[hoops]\n[hoops.hoop0]\ndescription="B"\nsize=12' | err <stdin>:4
  |                                                    | [ ! -e bad.ini ]
0 | merge $SAMPLE - -o forced.ini --force <<<$'[hoops]\n[hoops.hoop0]\ndescription="B"\nsize=12' |
0 | show forced.ini 13                                 | out Description +"B"
ROWS
}

# complete WORD...: what the bash completion offers for the last word, on one line.
complete_words() {
    BREVANT="$BREVANT" bash -c 'source "$1"; shift; COMP_WORDS=("$BREVANT" "$@"); COMP_CWORD=$#; _brevant
        echo "${COMPREPLY[*]}"' _ "$SOURCE/tools/completion/brevant.bash" "$@"
}

# The bash completion offers every command and each command's options from the tool's own help; the man
# page describes every command.
case_completion() {
    [ "$(complete_words te)" = "template" ] || fail "'te' completes to '$(complete_words te)'"
    for command in $(tool --help | awk '/^Subcommands:/ { on = 1; next } on && !NF { exit } on { print $1 }'); do
        complete_words "" | grep -q -w -- "$command" || fail "no completion of $command"
        [ ! -e "${MAN:-}" ] || grep -q "^\.SS $command\$" "$MAN" || fail "the man page lacks $command"
    done
    [ "$(complete_words template x.ini 4 --pa)" = "--paper" ] || fail "--pa completes to $(complete_words template x.ini 4 --pa)"
    [ "$(complete_words template x.ini 4 --paper '')" = "a4 letter" ] || fail "no paper sizes"
    complete_words rotate x.ini 4 90 -- | grep -q -- '--any-angle' || fail "rotate's options are not offered"
    [ "$(complete_words set x.ini 4 mounts.0.lowh)" = "mounts.0.lowhighxy" ] || fail "no field names"
    for field in $(complete_words set x.ini 4 ''); do
        tool set --help | grep -q -- "${field/mounts.0./mounts.N.}" || fail "set does not take $field"
    done
}

"case_$CASE" && echo "PASS: $CASE"
