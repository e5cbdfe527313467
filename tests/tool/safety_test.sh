#!/usr/bin/env bash
# End-to-end tests of how the brevant tool keeps a person's data: what a write would lose, where the bytes go,
# standard input and output. safety_test.sh CASE BREVANT SOURCE_DIR WORK_DIR
set -u
CASE=$1
BREVANT=$2
SOURCE=$3
WORK=$4
SAMPLE=$SOURCE/examples/hoops.ini

source "$SOURCE/tests/tool/common.sh"

# A small clean catalogue, its lines separated by "|".
HOOP='[hoops]|[hoops.hoop0]|description="A"|points=0,0,10,0,10,10|[hoops.hoop0.sewfield]|rect=-5,5,5,-5'

# Each row: the catalogue's lines, "|", the line the loss is reported on, "|", what the report says.
# Every one of them makes convert refuse with exit 1 and leave OUT alone; --force writes without them.
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

case_losses() {
    local row lines line what
    for row in "${LOSSES[@]}"; do
        what=${row##*|}
        row=${row%|*}
        line=${row##*|}
        lines=${row%|*}
        IFS='|' read -r -a parts <<<"$lines"
        printf '%s\n' "${parts[@]}" >in.ini
        echo precious >out.ini
        run 1 convert in.ini out.ini
        has err.txt "^brevant: in\.ini:$line: .*$what"
        has err.txt "^brevant: out\.ini: not written: .*--force"
        [ "$(cat out.ini)" = precious ] || fail "convert wrote out.ini for: $what"
        "$BREVANT" convert --force in.ini out.ini >out.txt 2>err.txt
        [ $? -le 1 ] && has out.ini '^\[hoops\.hoop0\]' || fail "--force did not write for: $what"
    done
}

# check reports every one of them at its line: comments and text values as notes (exit 0), the rest as
# problems (exit 1).
case_check_reports_losses() {
    local row lines line what status
    for row in "${LOSSES[@]}"; do
        what=${row##*|}
        row=${row%|*}
        line=${row##*|}
        lines=${row%|*}
        IFS='|' read -r -a parts <<<"$lines"
        printf '%s\n' "${parts[@]}" >in.ini
        case $what in
        *comment* | *"text value"*) status=0 ;;
        *) status=1 ;;
        esac
        [[ $what == *"faulty line"* ]] && what=${what#*faulty line: }
        run $status check in.ini
        has out.txt "^in\.ini:$line: .*$what"
        run $status check --json in.ini
        python3 -c 'import json,sys; r=json.load(open("out.txt")); sys.exit(not any(f["line"]=='"$line"' for f in r["findings"]))' ||
            fail "check --json lacks line $line: $(cat out.txt)"
    done
}

# Where the loader's reason puzzles, check says what it means; a section given twice is a note.
case_check_explains() {
    printf '[hoops]\n# made by hand\n[hoops.hoop0]\nshape=oval\n[hoops]\n' >in.ini
    run 1 check in.ini
    has out.txt "^in\.ini:2: Syntax error\. Comments begin with ';', not '#'\.$"
    has out.txt '^in\.ini:4: .* A text needs double quotes: name="text"\.$'
    has out.txt '^in\.ini:5: note: the section \[hoops\] is given again \(first on line 1\)'
}

# --strict looks at the geometry: each hoop here has one fault.
case_check_strict() {
    cat >in.ini <<'INI'
[hoops]
[hoops.hoop0]
description="Inverted"
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop0.sewfield]
rect=5,5,-5,-5
[hoops.hoop1]
description="Outside inner"
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop1.sewfield]
rect=-8,8,8,-8
[hoops.hoop1.innerdim]
rect=-6,6,6,-6
[hoops.hoop2]
description="Outside outline"
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop2.sewfield]
rect=-12,8,8,-8
[hoops.hoop3]
description="Travel"
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop3.sewfield]
rect=-5,5,5,-5
[hoops.hoop3.outerdim]
rect=-20,20,20,-20
[hoops.hoop3.mounts.mount0]
id=1
lowhighxy=0,0,-30,30
[hoops.hoop4]
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop4.sewfield]
rect=-5,5,5,-5
[hoops.hoop5]
description="Travel"
points=-10,-10,10,-10,10,10,-10,10
[hoops.hoop5.sewfield]
rect=-5,5,5,-5
INI
    run 0 check in.ini
    run 1 check --strict in.ini
    has out.txt 'hoop 0 \(Inverted\): its sew field is inverted'
    has out.txt 'hoop 1 \(Outside inner\): its sew field reaches outside its inner dimension'
    has out.txt 'hoop 2 \(Outside outline\): its sew field reaches outside its outline'
    has out.txt 'hoop 3 \(Travel\): the mounts. travel takes the sew field outside the outer dimension'
    has out.txt '^in\.ini: hoop 4: it has no description'
    has out.txt 'hoop 5 \(Travel\): its description is the same as that of hoop 3'
    [ "$(grep -c ': hoop [0-9]' out.txt)" -eq 6 ] || fail "--strict reported a sound hoop: $(cat out.txt)"
    run 0 check --strict "$SAMPLE"
}

# --json output parses and carries the documented fields.
case_json_outputs() {
    local command
    for command in "list $SAMPLE" "show $SAMPLE 11" "check $SAMPLE" "fit $SAMPLE 120x80"; do
        run 0 $command --json
        python3 -m json.tool out.txt >/dev/null || fail "brevant $command --json is not JSON: $(cat out.txt)"
    done
    run 0 list "$SAMPLE" --json
    python3 -c 'import json; h=json.load(open("out.txt"))["hoops"][11]
assert (h["index"], h["mounts"], h["span"], h["sewFieldHeightMm"]) == (11, 3, "y", 180.0), h' || fail "list --json"
    run 0 show "$SAMPLE" 11 --json
    python3 -c 'import json; h=json.load(open("out.txt"))["hoops"]; assert len(h) == 1 and h[0]["hoopRect"]["bottom"] == 1900, h' ||
        fail "show --json"
    run 0 fit "$SAMPLE" 175x65 --json
    python3 -c 'import json; f=json.load(open("out.txt"))["fits"][0]; assert f["index"] == 10 and f["turned"], f' || fail "fit --json"
    run 1 fit "$SAMPLE" 400x10 --json
    python3 -c 'import json; assert json.load(open("out.txt"))["fits"] == []' || fail "fit --json without fits"
}

# The JSON form carries the hoops only: json refuses to drop text values unless --force.
case_json_losses() {
    printf '[hoops]\n[hoops.hoop0]\ndescription="A"\ntext="a note"\n' >in.ini
    run 1 json in.ini
    has err.txt '^brevant: in\.ini:4: the text value "a note" is not kept'
    [ ! -s out.txt ] || fail "json printed despite the loss"
    run 0 json --force in.ini
    has out.txt '"description": "A"'
}

# A last line without a line end is not read; an end of blanks only loses nothing.
case_unended_last_line() {
    printf '[hoops]\n[hoops.hoop0]\ndescription="A"' >in.ini
    run 1 convert in.ini out.ini
    has err.txt '^brevant: in\.ini:3: the last line has no line end'
    printf '[hoops]\r\n[hoops.hoop0]\r\n  ' >blank.ini
    run 1 convert blank.ini out.ini
    has out.ini '^\[hoops\.hoop0\]'

}

# The binary form has no lines, but it can hold what the reader passes over as well.
case_binary_losses() {
    printf '[hoops]\n[hoops.hoop600]\ndescription="Far"\n[hoops.hoop0]\ntext="kept?"\n' >far.ini
    [ -n "${INI2INB:-}" ] || return 0
    "$INI2INB" far.ini far.inb 2>/dev/null || fail "ini2inb failed"
    run 1 convert far.inb out.ini
    has err.txt '^brevant: far\.inb: the section \[hoops\.hoop600\] is numbered outside 0 to 511'
    has err.txt '^brevant: far\.inb: the text value "kept\?"'
}

# The output is the file a link points to; the link, other hard links and the permissions stay.
case_links() {
    cp "$SAMPLE" target.ini
    chmod 640 target.ini
    ln -s target.ini link.ini
    ln target.ini hard.ini
    run 0 rotate link.ini 6 90 -o link.ini
    [ -L link.ini ] || fail "the symbolic link was replaced by a file"
    [ "$(stat -c '%a %h' target.ini)" = "640 2" ] || fail "permissions or hard link lost: $(stat -c '%a %h' target.ini)"
    has hard.ini '^rect=-700,1000,700,-1000'
    ln -s missing.ini dangling.ini
    run 0 convert "$SAMPLE" dangling.ini
    [ -L dangling.ini ] && same_bytes "$SAMPLE" missing.ini
    [ -z "$(ls -A | grep '^\.')" ] || fail "scratch files left behind: $(ls -A)"
}

# Anything but a regular file or a new name is refused, and a device is never replaced.
case_not_regular() {
    mkfifo pipe.ini
    mkdir dir.ini
    for target in /dev/null pipe.ini dir.ini; do
        run 2 convert "$SAMPLE" "$target"
        has err.txt "^brevant: $target: is a (device|pipe|directory), not a catalogue file; name a regular file, or '-'"
    done
    [ -c /dev/null ] && [ -p pipe.ini ] || fail "a device or pipe was replaced"
    run 2 convert "$SAMPLE" no/such/dir/out.ini
    has err.txt '^brevant: no/such/dir/out\.ini: cannot write in its directory: No such file or directory'
}

# Every write to standard output is checked: a full disk, a closed descriptor and a closed pipe exit 2.
case_stdout_errors() {
    local command
    for command in "list $SAMPLE" "json $SAMPLE" "convert $SAMPLE -" "check $SAMPLE"; do
        $BREVANT $command >/dev/full 2>err.txt
        [ $? -eq 2 ] || fail "brevant $command >/dev/full did not exit 2"
        has err.txt '^brevant: cannot write standard output: No space left on device'
        $BREVANT $command >&- 2>err.txt
        [ $? -eq 2 ] || fail "brevant $command with standard output closed did not exit 2"
    done
    { sleep 0.3; "$BREVANT" json "$SAMPLE"; echo $? >status.txt; } | true
    [ "$(cat status.txt)" = 2 ] || fail "a closed pipe did not exit 2"
}

# "-" reads standard input and writes standard output on every command that reads or writes a catalogue.
case_pipes() {
    "$BREVANT" json "$SAMPLE" | "$BREVANT" import - -o - >piped.ini || fail "json | import - -o - failed"
    same_bytes "$SAMPLE" piped.ini
    "$BREVANT" convert - - <"$SAMPLE" >copy.ini || fail "convert - - failed"
    same_bytes "$SAMPLE" copy.ini
    "$BREVANT" convert - out.ini <"$SOURCE/examples/hoops.inb" >/dev/null || fail "a binary catalogue on stdin"
    same_bytes "$SAMPLE" out.ini
    run 0 list - <"$SAMPLE"
    has out.txt '^12 +Border 330x100'
    printf '[hoops]\n[hoops.hoop0]\nx=1\n' | "$BREVANT" convert - out.ini 2>err.txt
    has err.txt '^brevant: <stdin>:3: the key x is not part of'
}

# --lf writes LF line ends, and the result reads back the same.
case_line_ends() {
    run 0 convert --lf "$SAMPLE" lf.ini
    ! grep -q $'\r' lf.ini || fail "--lf left a CR"
    [ "$(tr -d '\r' <"$SAMPLE")" = "$(cat lf.ini)" ] || fail "--lf changed more than line ends"
    run 0 convert --line-ends crlf lf.ini crlf.ini
    same_bytes "$SAMPLE" crlf.ini
    run 2 convert --line-ends cr "$SAMPLE" x.ini
}

"case_$CASE" && echo "PASS: $CASE"
