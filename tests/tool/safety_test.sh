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
    "[hoops] ; the catalogue|[hoops.hoop0]|1|comment \"; the catalogue\""
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
