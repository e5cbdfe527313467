#!/usr/bin/env bash
# End-to-end tests of the brevant tool: tool_test.sh CASE BREVANT SOURCE_DIR WORK_DIR
set -u
CASE=$1
BREVANT=$2
SOURCE=$3
WORK=$4
SAMPLE=$SOURCE/examples/hoops.ini
DATA=$SOURCE/tests/tool/data

source "$SOURCE/tests/tool/common.sh"

# path_width SVG PATTERN: x2 - x1 of the first path "M x1 y1 L x2 ..." on a line that matches PATTERN, in
# points with two decimals.
path_width() {
    grep -E -- "$2" "$1" | head -1 | sed -E 's/.* d="M ([-0-9.]+) [-0-9.]+ L ([-0-9.]+) .*/\1 \2/' |
        awk '{ printf "%.2f\n", $2 - $1 }'
}

# page_svg PDF PAGE: the page drawn by poppler as SVG, at the PDF's own page size.
page_svg() {
    pdftocairo -svg -noshrink -nocenter -f "$2" -l "$2" "$1" "page$2.svg" || fail "poppler cannot read $1"
}

case_list() {
    run 0 list "$SAMPLE"
    has out.txt '^ *# +Description +Shape +Sew field \(mm\) +Mounts +Span$'
    has out.txt '^ *4 +Oval 130x180 +oval +130\.0 x 180\.0 +1 +none$'
    has out.txt '^ *0 +Small 50x50 +square +50\.0 x 50\.0 +0 +none$'
    has out.txt '^11 +Multi-position 130x380 +multi-position +130\.0 x 180\.0 +3 +y$'
    has out.txt '^12 +Border 330x100 +border +100\.0 x 100\.0 +3 +x$'
    [ "$(wc -l <out.txt)" -eq 14 ] || fail "list prints a header and 13 rows"
    run 1 list "$DATA/faulty_crlf.ini"
    has out.txt '^0 +Broken +round +20\.0 x 20\.0 +0 +none$'
    has err.txt '3 faulty lines were skipped'
}

case_show() {
    run 0 show "$SAMPLE" 11
    has out.txt '^Hoop 11 of 13$'
    has out.txt 'Sew field +left +-650 +top +900 +right +650 +bottom +-900 +\(130\.0 x 180\.0 mm\)'
    has out.txt 'Hoop rect +left +-650 +top +-1900 +right +650 +bottom +1900 +\(130\.0 x 380\.0 mm\)'
    has out.txt 'Span +y$'
    has out.txt '2: "Top" +id 3 +rotation 0 +x 0 to 0 +y 1000 to 1000'
    lacks out.txt '^Hoop 10 '
    run 0 show "$SAMPLE"
    [ "$(grep -c '^Hoop ' out.txt)" -eq 13 ] || fail "show without HOOP shows all 13 hoops"
    has out.txt 'Hoop rect +none \(the hoop has no mounts\)'
    run 2 show "$SAMPLE" 13
    has err.txt 'hoop 13 does not exist'
}

case_check_clean() {
    run 0 check "$SAMPLE"
    has out.txt 'hoops\.ini: no faulty lines, 13 hoops loaded\.$'
    [ "$(wc -l <out.txt)" -eq 1 ] || fail "a clean catalogue gives only the summary"
}

# CR LF line ends: the loader counts each CR and LF as a line end; the report uses the editor's numbers.
case_check_crlf() {
    cp "$DATA/faulty_crlf.ini" .
    run 1 check faulty_crlf.ini
    diff -u "$DATA/faulty_crlf.expected" out.txt >&2 || fail "check report differs"
}

# LF line ends with a 0xFF byte (a line end to the loader, not to an editor) and a last line without end.
case_check_lf() {
    run 1 check "$DATA/faulty_lf.ini"
    has out.txt 'faulty_lf\.ini:4: Syntax error\.$'
    has out.txt '^    abc$'
    has out.txt 'faulty_lf\.ini:7: rect has 3 values; the reader takes it only with exactly 4'
    has out.txt 'faulty_lf\.ini:10: the last line has no line end'
    has out.txt 'hoop 0 \(Mixed\): its sew field is empty'
    has out.txt 'hoop 1 \(Cut short\): it has no outline points'
    has out.txt ': 1 faulty line, 5 problems, 2 hoops loaded\.$'
    printf '[hoops]\n[hoops.hoop0]\npoints=%s0\n[hoops.hoop1]\n' "$(printf '1,%.0s' {1..9000})" >overlong.ini
    run 1 check overlong.ini
    has out.txt '^overlong\.ini:3: the line is longer than 16383 characters; the loader stops here'
    has out.txt ': no faulty lines, 2 problems, 1 hoop loaded\.$'
}

case_check_unloadable() {
    run 2 check "$DATA/not_a_catalogue.ini"
    has out.txt 'cannot load: it is not a hoop catalogue'
    run 2 check missing.ini
    has out.txt 'missing\.ini: cannot load: No such file or directory'
    run 2 list "$DATA"
    has err.txt 'it is a directory'
}

# A catalogue written exactly as the library saves it converts to the same bytes.
case_convert() {
    run 0 convert "$SAMPLE" out.ini
    same_bytes "$SAMPLE" out.ini
    run 0 convert out.ini out.ini
    same_bytes "$SAMPLE" out.ini
    [ -z "$(ls -A | grep -v -E '^(out\.ini|out\.txt|err\.txt)$')" ] || fail "convert left files behind: $(ls -A)"
}

# OUT stays as it was whenever convert fails.
case_convert_keeps_out() {
    echo "precious" >out.ini
    run 2 convert missing.ini out.ini
    run 1 convert "$DATA/faulty_crlf.ini" out.ini
    has err.txt "would be lost.*--force"
    run 2 convert "$SAMPLE" out.inb
    [ ! -e out.inb ] || fail "convert wrote a text file named .inb"
    run 2 convert "$SAMPLE" no/such/dir/out.ini
    [ "$(cat out.ini)" = "precious" ] || fail "OUT was changed"
    run 1 convert --skip-faulty "$DATA/faulty_crlf.ini" out.ini
    has out.ini '^description="Broken"'
}

# JSON with a line break in a text, and with more hoops than a hoop file gives back, cannot be saved safely.
case_import_keeps_out() {
    echo "precious" >out.ini
    printf '{"hoops": [{"description": "two\\nlines"}]}' >break.json
    run 1 import break.json -o out.ini
    has err.txt 'hoop 0 \(two'
    has err.txt 'line break'
    { printf '{"hoops": ['; for i in $(seq 1 512); do printf '{},'; done; printf '{}]}'; } >many.json
    run 1 import many.json -o out.ini
    has err.txt '513 hoops read back as 512'
    [ "$(cat out.ini)" = "precious" ] || fail "OUT was changed"
    [ "$(ls -A | wc -l)" -eq 5 ] || fail "import left files behind: $(ls -A)"
}

case_render() {
    run 0 render "$SAMPLE" -o hoops.png
    [ "$(head -c 8 hoops.png | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "no PNG signature"
    run 0 render "$SAMPLE" -o hoops.SVG --fit-each
    has hoops.SVG '<svg'
    run 0 render "$SAMPLE" -o hoop.pdf --hoop 11
    [ "$(head -c 5 hoop.pdf)" = "%PDF-" ] || fail "no PDF header"
    run 2 render "$SAMPLE" -o hoops.gif
    has err.txt 'use \.png, \.svg or \.pdf'
    run 2 render "$SAMPLE" -o hoop.png --hoop 13
    run 2 render "$SAMPLE" -o hoop.png --hoop 0x1
}

# json -> import -> json gives the same JSON; the import writes what convert writes.
case_json_round_trip() {
    run 0 json "$SAMPLE"
    mv out.txt first.json
    has first.json '"sewField": \{"left": -650, "top": 900, "right": 650, "bottom": -900\}'
    run 0 import first.json -o back.ini
    same_bytes "$SAMPLE" back.ini
    run 0 json back.ini
    same_bytes first.json out.txt
}

case_import_errors() {
    printf '{"hoops": [\n  {"description": "a",}\n]}' >syntax.json
    run 2 import syntax.json -o out.ini
    has err.txt 'syntax\.json: malformed JSON at byte 35: .*line 2, column 23'
    printf '{"hoops": [{}, {}, {"mounts": [{"label": "A", "lowX": 1.5}]}]}' >type.json
    run 2 import type.json -o out.ini
    has err.txt 'hoops\[2\]\.mounts\[0\]\.lowX: expected an integer'
    printf '{"hoops": [{"points": [[1, 2], [3]]}]}' >pair.json
    run 2 import pair.json -o out.ini
    has err.txt 'hoops\[0\]\.points\[1\]: expected a pair'
    printf '{"hoops": [{"sewfield": {}}]}' >key.json
    run 2 import key.json -o out.ini
    has err.txt 'hoops\[0\]\.sewfield: unknown field'
    printf '{"hoops": [{"innerDim": {"left": 1, "top": 2, "right": 3, "bottom": 4294967296}}]}' >range.json
    run 2 import range.json -o out.ini
    has err.txt 'hoops\[0\]\.innerDim\.bottom: the integer does not fit 32 bits'
    [ ! -e out.ini ] || fail "a failed import wrote OUT"
}

case_fit() {
    run 0 fit "$SAMPLE" 120x80.5
    has out.txt 'A design of 120\.0 x 80\.5 mm fits 6 hoops'
    sed -n 3p out.txt | grep -E -q '^ *5 +Square 150x150 +150\.0 x 150\.0 +as it is +15\.0 +34\.8$' ||
        fail "the smallest fitting hoop comes first: $(sed -n 3p out.txt)"
    run 0 fit "$SAMPLE" '175 X 65mm'
    sed -n 3p out.txt | grep -E -q '^ *10 +Sleeve 70x180 +70\.0 x 180\.0 +turned 90 degrees +2\.5 +2\.5$' ||
        fail "a design that fits only turned: $(sed -n 3p out.txt)"
    run 1 fit "$SAMPLE" 400x10
    has out.txt 'No hoop of .* takes a design of 400\.0 x 10\.0 mm'
    run 2 fit "$SAMPLE" 120by80
}

# Quarter turns turn the outline with the rectangles; four of them give the catalogue back byte for byte.
case_rotate() {
    run 0 rotate "$SAMPLE" 6 90 -o turned.ini
    run 0 show turned.ini 6
    has out.txt 'Sew field +left +-700 +top +1000 +right +700 +bottom +-1000 +\(140\.0 x 200\.0 mm\)'
    has turned.ini '^points=610,-1060,667,-1049,' # the outline of hoop 6 began 1060,610,1049,667
    run 0 show turned.ini 7
    has out.txt 'Sew field +left +-1300 +top +800 +right +1300 +bottom +-800'
    for degrees in 270 -90 450; do
        run 0 rotate turned.ini 6 "$degrees" -o turned.ini
    done
    same_bytes "$SAMPLE" turned.ini
    cp "$SAMPLE" same.ini
    run 0 rotate same.ini 3 0 -o same.ini
    same_bytes "$SAMPLE" same.ini
    run 2 rotate "$SAMPLE" 13 90 -o bad.ini
    run 2 rotate "$SAMPLE" 6 45 -o bad.ini
    has err.txt '45 degrees is not a quarter turn.*--any-angle'
    run 2 rotate "$SAMPLE" 6 0x5A -o bad.ini
    [ ! -e bad.ini ] || fail "a refused rotate wrote OUT"
    run 0 rotate "$SAMPLE" 6 45 --any-angle -o tilted.ini
    has err.txt 'sew field 200\.0 x 140\.0 mm is now 42\.4 x 240\.4 mm'
    has err.txt 'no longer lies inside the outline'
}

# Templates at true size: read back with poppler, the calibration bar is 100 mm (283.46 pt) long and the sew
# field of the 130 mm wide oval 368.50 pt wide; a hoop taller than the paper is tiled.
case_template() {
    run 0 template "$SAMPLE" 4 -o oval.pdf
    has out.txt '^wrote oval\.pdf: 1 page of A4$'
    pdfinfo oval.pdf >info.txt
    has info.txt '^Pages: +1$'
    has info.txt '^Page size: +595\.276 x 841\.89 pts'
    page_svg oval.pdf 1
    [ "$(path_width page1.svg 'stroke-width:5\.669291;')" = "283.46" ] ||
        fail "the calibration bar is $(path_width page1.svg 'stroke-width:5\.669291;') pt long"
    [ "$(path_width page1.svg 'stroke-width:1;.*stroke:rgb\(11\.9')" = "368.50" ] ||
        fail "the sew field is $(path_width page1.svg 'stroke-width:1;.*stroke:rgb\(11\.9') pt wide"
    pdftotext oval.pdf - | has - 'must be exactly 100 mm'
    run 0 template "$SAMPLE" 11 -o tall.pdf --paper Letter
    has out.txt '2 pages of Letter$'
    pdfinfo tall.pdf >info.txt
    has info.txt '^Page size: +612 x 792 pts'
    page_svg tall.pdf 2
    [ "$(path_width page2.svg 'stroke-width:5\.669291;')" = "283.46" ] || fail "no calibration bar on page 2"
    pdftotext -f 1 -l 1 tall.pdf - >first.txt
    has first.txt '^A1$'
    has first.txt '^B1$' # the neighbour below
    has first.txt 'Cut each page at the marks'
    run 0 template "$SAMPLE" 8 -o -
    [ "$(head -c 5 out.txt)" = "%PDF-" ] || fail "no PDF on standard output"
    run 2 template "$SAMPLE" 4 -o bad.pdf --paper a3
    has err.txt 'use a4 or letter'
    run 2 template "$SAMPLE" 13 -o bad.pdf
    printf '[hoops]\n[hoops.hoop0]\npoints=0,0,90000000,0,0,90000000\n' >huge.ini
    run 2 template huge.ini 0 -o bad.pdf
    has err.txt 'would take [0-9]+ pages'
    [ ! -e bad.pdf ] || fail "a refused template wrote a file"
}

# Editing without JSON: each change shows through show, refusals leave the file as it was, and changes
# that undo each other give the sample back byte for byte.
case_edit() {
    cp "$SAMPLE" cat.ini
    run 0 add cat.ini "Giant 400x400" square
    has out.txt 'added hoop 13 \(Giant 400x400\)'
    run 0 set cat.ini 13 sewfield -2000,2000,2000,-2000
    run 0 set cat.ini 13 Points '0,0, 10,0, 10,010'
    run 0 add cat.ini Left --to 13 --id 7
    has out.txt 'added mount 0 "Left" \(id 7\)'
    run 0 set cat.ini 13 mounts.0.lowhighxy -500,-500,0,0
    run 0 set cat.ini 13 mounts.0.LABEL 'Far left'
    run 0 set cat.ini 13 sewField.top 1500
    run 0 set cat.ini 13 outerdim.right 2100 -o copy.ini
    run 0 show cat.ini 13
    has out.txt 'Description +"Giant 400x400"'
    has out.txt 'Shape +"square"'
    has out.txt 'Sew field +left +-2000 +top +1500 +right +2000 +bottom +-2000'
    has out.txt 'Outer dim +left +0 +top +0 +right +0 +bottom +0'
    has out.txt 'Outline +3 points'
    has out.txt '0: "Far left" +id 7 +rotation 0 +x -500 to -500 +y 0 to 0'
    has cat.ini '^points=0,0,10,0,10,10'
    run 0 show copy.ini 13
    has out.txt 'Outer dim +left +0 +top +0 +right +2100 +bottom +0'
    cp cat.ini before.ini
    run 2 set cat.ini 13 sewfield 1,2,3
    has err.txt 'takes 4 numbers'
    run 2 set cat.ini 13 sewfield.left 0x10
    has err.txt 'not a decimal whole number'
    run 2 set cat.ini 13 sewfield.left ''
    run 2 set cat.ini 13 mounts.0.lowx -2147483648
    run 2 set cat.ini 13 points 1,2,3
    run 2 set cat.ini 13 mounts.1.label X
    has err.txt 'its mounts are 0 to 0'
    run 2 set cat.ini 13 rotation 90
    has err.txt 'brevant rotate'
    run 2 set cat.ini 13 colour red
    has err.txt 'unknown field "colour"'
    run 2 set cat.ini 14 description X
    run 2 move cat.ini 13 14
    run 2 remove cat.ini 13 --mount 1
    same_bytes before.ini cat.ini
    run 0 remove cat.ini 13
    same_bytes "$SAMPLE" cat.ini
    run 0 move cat.ini 3 7
    run 0 show cat.ini 7
    has out.txt 'Description +"Square 100x100"'
    run 0 show cat.ini 3
    has out.txt 'Description +"Oval 130x180"' # the hoops after 3 moved up by one
    run 0 move cat.ini 7 3
    same_bytes "$SAMPLE" cat.ini
    run 0 move cat.ini 11 2 --mount 0
    run 0 show cat.ini 11
    has out.txt '0: "Middle"'
    has out.txt '2: "Bottom" +id 1 +rotation 0 +x 0 to 0 +y -1000 to -1000'
    run 0 remove cat.ini 11 --mount 1
    run 0 show cat.ini 11
    has out.txt 'Mounts +2$'
    has out.txt '1: "Bottom"'
    run 0 add cat.ini "Copy of 4" --like 4
    run 0 show cat.ini 13
    has out.txt 'Description +"Copy of 4"'
    has out.txt 'Shape +"oval"'
    has out.txt 'Inner dim +left +-780 +top +1080 +right +780 +bottom +-1080'
    printf '[hoops]\n; kept by hand\n[hoops.hoop0]\ndescription="A"\n' >noted.ini
    cp noted.ini noted.before
    run 1 set noted.ini 0 description B
    has err.txt 'would be lost'
    same_bytes noted.before noted.ini
    run 0 set noted.ini 0 description B --force
    has noted.ini '^description="B"'
}

# merge copies hoops through the library: all of B, or the ones named, in the order named.
case_merge() {
    run 0 merge "$SAMPLE" "$SAMPLE" -o both.ini --hoop 4 --hoop 0
    has out.txt 'wrote both\.ini: 15 hoops'
    run 0 show both.ini 13
    has out.txt 'Description +"Oval 130x180"'
    run 0 show both.ini 14
    has out.txt 'Description +"Small 50x50"'
    run 0 merge "$SAMPLE" "$SAMPLE" -o all.ini
    run 0 show all.ini 24
    has out.txt '2: "Top" +id 3 +rotation 0 +x 0 to 0 +y 1000 to 1000'
    head -c "$(wc -c <"$SAMPLE")" all.ini | cmp -s - "$SAMPLE" || fail "merge changed the hoops of A"
    run 2 merge "$SAMPLE" "$SAMPLE" -o bad.ini --hoop 13
    printf '[hoops]\n[hoops.hoop0]\ndescription="B"\nsize=12\n' >odd.ini
    run 1 merge "$SAMPLE" odd.ini -o bad.ini
    has err.txt 'odd\.ini:4'
    [ ! -e bad.ini ] || fail "a refused merge wrote OUT"
    run 0 merge "$SAMPLE" odd.ini -o forced.ini --force
    run 0 show forced.ini 13
    has out.txt 'Description +"B"'
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
    for command in $("$BREVANT" --help | awk '/^Subcommands:/ { on = 1; next } on && !NF { exit } on { print $1 }'); do
        complete_words "" | grep -q -w -- "$command" || fail "no completion of $command"
        [ ! -e "${MAN:-}" ] || grep -q "^\.SS $command\$" "$MAN" || fail "the man page lacks $command"
    done
    [ "$(complete_words template x.ini 4 --pa)" = "--paper" ] || fail "--pa completes to $(complete_words template x.ini 4 --pa)"
    [ "$(complete_words template x.ini 4 --paper '')" = "a4 letter" ] || fail "no paper sizes"
    complete_words rotate x.ini 4 90 -- | grep -q -- '--any-angle' || fail "rotate's options are not offered"
    [ "$(complete_words set x.ini 4 mounts.0.lowh)" = "mounts.0.lowhighxy" ] || fail "no field names"
    for field in $(complete_words set x.ini 4 ''); do
        "$BREVANT" set --help | grep -q -- "${field/mounts.0./mounts.N.}" || fail "set does not take $field"
    done
}

case_arguments() {
    run 2
    run 2 frobnicate
    has err.txt 'unknown command "frobnicate"'
    run 2 list
    run 2 show "$SAMPLE" -1
    run 0 --help
    has out.txt 'Exit status: 0 success'
    run 0 check --help
}

# The binary form of the sample converts to the text form, byte for byte.
case_convert_binary() {
    run 0 convert "$SOURCE/examples/hoops.inb" out.ini
    same_bytes "$SAMPLE" out.ini
}

"case_$CASE" && echo "PASS: $CASE"
