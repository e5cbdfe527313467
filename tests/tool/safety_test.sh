#!/usr/bin/env bash
# End-to-end tests of how the brevant tool keeps a person's data: what a write would lose, where the bytes go,
# standard input and output. safety_test.sh CASE BREVANT SOURCE_DIR WORK_DIR
source "$3/tests/tool/common.sh"

# A small clean catalogue, its lines separated by "|".
HOOP='[hoops]|[hoops.hoop0]|description="A"|points=0,0,10,0,10,10|[hoops.hoop0.sewfield]|rect=-5,5,5,-5'

# Each row: the catalogue's lines, "|", the line the loss is reported on, "|", what the report says.
LOSSES=(
    "$HOOP|[hoops.hoop512]|description=\"Far\"|7|numbered outside 0 to 511"
    "$HOOP|text=\"a note\"|7|text value \"a note\" is not kept"
    "; who made this|$HOOP|1|comment \"; who made this\" is not kept"
    "$HOOP|rect=-5,5,5,-5 ; the old size|7|comment after the value"
    "[hoops] ; the catalogue|[hoops.hoop0]|points=0,0,1,1|[hoops.hoop0.sewfield]|rect=-5,5,5,-5|1|comment \"; the catalogue\""
    "$HOOP|colour=\"red\"|7|key colour is not part of \[hoops.hoop0.sewfield\]"
    "$HOOP|[extras]|x=1|7|section \[extras\] is not part of a hoop catalogue"
    "$HOOP|[hoops.hoop0.sewfield]|rect=-6,6,6,-6|6|rect is given again on line 8, which replaces"
    "$HOOP|[hoops.hoop0]|description=\"B\"|3|description is given again on line 8"
    "[hoops]|[hoops.hoop0]|points=0,0,10,0,10,010|3|number 010 in points starts with 0, so it reads as the octal number 8"
    "[hoops]|[hoops.hoop0]|points=0,0,10,0,10,4294967296|3|number 4294967296 in points lies beyond the 32-bit range"
    "[hoops]|[hoops.hoop0]|points=0,0,1-2,0|3|number 1-2 in points reads as 1"
    "$HOOP|[hoops.hoop0.innerdim]|rect=1,2,3|8|rect has 3 values; the reader takes it only with exactly 4"
    "[hoops]|[hoops.hoop0]|points=0,0,10|3|points has 3 values, an odd number"
    "[hoops]|[hoops.hoop0]|shape=5|3|shape must be a text in double quotes"
    "[hoops]|[hoops.hoop0]|points=1.5,2|3|points must be whole numbers"
    "$HOOP|#comment|7|faulty line: Syntax error"
    "[hoops]|version=2|[hoops.hoop0]|2|key version is not part of \[hoops\]"
    "$HOOP|[hoops.hoop0.mounts.mount9]|id=1|7|mount9\] is not read: in a file of 4 sections"
    "$HOOP|[hoops.hoop7.sewfield]|rect=1,1,1,1|7|belongs to no hoop: there is no \[hoops.hoop7\]"
)

# Every loss makes convert refuse with exit 1 and leave OUT alone, and --force writes without it. check
# reports each at its line, in text and in JSON: comments and text values as notes (exit 0), the rest as
# problems (exit 1).
case_losses() {
    local row lines line what status
    for row in "${LOSSES[@]}"; do
        what=${row##*|} && row=${row%|*}
        line=${row##*|} && lines=${row%|*}
        tr '|' '\n' <<<"$lines" >in.ini
        echo precious >out.ini
        run 1 convert in.ini out.ini
        has err.txt "^brevant: in\.ini:$line: .*$what"
        has err.txt "^brevant: out\.ini: not written: .*--force"
        [ "$(cat out.ini)" = precious ] || fail "convert wrote out.ini for: $what"
        tool convert --force in.ini out.ini >out.txt 2>err.txt
        [ $? -le 1 ] && has out.ini '^\[hoops\.hoop0\]' || fail "--force did not write for: $what"
        [[ $what == *comment* || $what == *"text value"* ]] && status=0 || status=1
        run $status check in.ini
        has out.txt "^in\.ini:$line: .*${what#faulty line: }"
        run $status check --json in.ini
        has out.txt "^ *\"line\": $line,\$"
    done
}

# Where the loader's reason puzzles, check says what it means; --strict looks at the geometry, and each hoop
# of strict.ini has one fault of it.
case_check_explains() {
    cp "$DATA/strict.ini" .
    table <<'ROWS'
1 | check - <<<$'[hoops]\n# made by hand\n[hoops.hoop0]\nshape=oval\n[hoops]' | out ^<stdin>:2: Syntax error\. Comments begin with ';', not '#'\.$
  |                        | out ^<stdin>:4: .* A text needs double quotes: name="text"\.$
  |                        | out ^<stdin>:5: note: the section \[hoops\] is given again \(first on line 1\)
0 | check strict.ini       |
1 | check --strict strict.ini | golden strict
0 | check --strict $SAMPLE |
ROWS
}

# --json output carries the documented fields; the JSON form carries the hoops only, so json refuses to drop
# text values unless --force.
case_json() {
    table <<'ROWS'
0 | list $SAMPLE --json    | python3 -c 'import json; h=json.load(open("out.txt"))["hoops"][11]; assert (h["index"], h["mounts"], h["span"], h["sewFieldHeightMm"]) == (11, 3, "y", 180.0), h'
0 | show $SAMPLE 11 --json | python3 -c 'import json; h=json.load(open("out.txt"))["hoops"]; assert len(h) == 1 and h[0]["hoopRect"]["bottom"] == 1900, h'
0 | check $SAMPLE --json  | python3 -c 'import json; r=json.load(open("out.txt")); assert (r["hoops"], r["findings"]) == (13, []), r'
0 | fit $SAMPLE 175x65 --json | python3 -c 'import json; f=json.load(open("out.txt"))["fits"][0]; assert f["index"] == 10 and f["turned"], f'
1 | fit $SAMPLE 400x10 --json | python3 -c 'import json; assert json.load(open("out.txt"))["fits"] == []'
1 | json - <<<$'[hoops]\n[hoops.hoop0]\ndescription="A"\ntext="a note"' | err ^brevant: <stdin>:4: the text value "a note" is not kept
  |                        | [ ! -s out.txt ]
0 | json --force - <<<$'[hoops]\n[hoops.hoop0]\ndescription="A"\ntext="a note"' | out "description": "A"
ROWS
}

# A last line without a line end is not read; an end of blanks only loses nothing. The binary form has no
# lines, but it can hold what the reader passes over as well.
case_unended_and_binary() {
    table <<'ROWS'
1 | convert - out.ini < <(printf '[hoops]\n[hoops.hoop0]\ndescription="A"') | err ^brevant: <stdin>:3: the last line has no line end
1 | convert - out.ini < <(printf '[hoops]\r\n[hoops.hoop0]\r\n  ')          | has out.ini '^\[hoops\.hoop0\]'
ROWS
    [ -n "${INI2INB:-}" ] || return 0
    printf '[hoops]\n[hoops.hoop600]\ndescription="Far"\n[hoops.hoop0]\ntext="kept?"\n' >far.ini
    "$INI2INB" far.ini far.inb 2>/dev/null || fail "ini2inb failed"
    run 1 convert far.inb out.ini
    has err.txt '^brevant: far\.inb: the section \[hoops\.hoop600\] is numbered outside 0 to 511'
    has err.txt '^brevant: far\.inb: the text value "kept\?"'
}

# The output is the file a link points to; the link, other hard links and the permissions stay. Anything but
# a regular file or a new name is refused, and a device is never replaced.
case_targets() {
    cp "$SAMPLE" target.ini && chmod 640 target.ini && ln -s target.ini link.ini && ln target.ini hard.ini
    ln -s missing.ini dangling.ini && mkfifo pipe.ini && mkdir dir.ini
    table <<'ROWS'
0 | rotate link.ini 6 90 -o link.ini | [ -L link.ini ] && [ "$(stat -c '%a %h' target.ini)" = "640 2" ]
  |                                  | has hard.ini '^rect=-700,1000,700,-1000'
0 | convert $SAMPLE dangling.ini     | [ -L dangling.ini ] && same_bytes "$SAMPLE" missing.ini
  |                                  | [ -z "$(ls -A | grep '^\.')" ]
2 | convert $SAMPLE /dev/null        | err ^brevant: /dev/null: is a device, not a catalogue file; name a regular file, or '-'
2 | convert $SAMPLE pipe.ini         | err ^brevant: pipe.ini: is a pipe, not a catalogue file
2 | convert $SAMPLE dir.ini          | err ^brevant: dir.ini: is a directory, not a catalogue file
  |                                  | [ -c /dev/null ] && [ -p pipe.ini ]
2 | convert $SAMPLE no/such/dir/out.ini | err ^brevant: no/such/dir/out\.ini: cannot write in its directory: No such file or directory
ROWS
}

# Every write to standard output is checked: a full disk, a closed descriptor and a closed pipe exit 2.
case_stdout_errors() {
    local command
    for command in "list $SAMPLE" "json $SAMPLE" "convert $SAMPLE -" "check $SAMPLE"; do
        tool $command >/dev/full 2>err.txt
        expect_status 2 "$command >/dev/full"
        has err.txt '^brevant: cannot write standard output: No space left on device'
        tool $command >&- 2>err.txt
        expect_status 2 "$command >&-"
    done
    { sleep 0.3; tool json "$SAMPLE"; echo $? >status.txt; } | true
    [ "$(cat status.txt)" = 2 ] || fail "a closed pipe did not exit 2"
}

# "-" reads standard input and writes standard output on every command that reads or writes a catalogue;
# --lf writes LF line ends, and the result reads back the same.
case_pipes() {
    tool json "$SAMPLE" | tool import - -o - >piped.ini || fail "json | import - -o - failed"
    same_bytes "$SAMPLE" piped.ini
    table <<'ROWS'
0 | convert - - <$SAMPLE                       | same_bytes "$SAMPLE" out.txt
0 | convert - out.ini <$SOURCE/examples/hoops.inb | same_bytes "$SAMPLE" out.ini
0 | list - <$SAMPLE                            | out ^12 +Border 330x100
1 | convert - out.ini <<<$'[hoops]\n[hoops.hoop0]\nx=1' | err ^brevant: <stdin>:3: the key x is not part of
0 | convert --lf $SAMPLE lf.ini                | [ "$(tr -d '\r' <"$SAMPLE")" = "$(cat lf.ini)" ] && ! grep -q $'\r' lf.ini
0 | convert --line-ends crlf lf.ini crlf.ini   | same_bytes "$SAMPLE" crlf.ini
2 | convert --line-ends cr $SAMPLE x.ini       |
ROWS
}

"case_$CASE" && echo "PASS: $CASE"
