#!/usr/bin/env bash
# vantrel lint as a command line: several files and standard input, unreadable files, options,
# colour, --fix and --diff, and files the game reads oddly (byte-order mark, UTF-16, Ctrl-Z, long
# lines).
# usage: lint_command_line.sh TOOL
set -u
tool=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0

fail() { echo "FAILED: $*"; failed=1; }

# run STATUS ARGS...: runs the tool, stdout in out, stderr in err, and checks the status.
run() {
  local status=$1
  shift
  "$tool" "$@" >out 2>err
  local got=$?
  [ "$got" = "$status" ] || { fail "vantrel $* exited $got, expected $status"; cat out err; }
}
has() { grep -Eq -- "$2" "$1" || { fail "no '$2' in $1:"; cat "$1"; }; }
lacks() { ! grep -Eq -- "$2" "$1" || { fail "'$2' in $1:"; cat "$1"; }; }
empty() { [ ! -s "$1" ] || { fail "$1 is not empty:"; cat "$1"; }; }

printf '[Combat]\n(bWeaponOut)\nSet bHeadtrack on\n' >warn.txt
printf 'Sett fFOV 90\n' >error.txt
printf '[Combat]\n(bWeaponOut)\nSet bHeadtrack true\n' >clean.txt

# Usage, and options in both spellings.
run 0 lint --help
has out '^usage: vantrel lint' && empty err
run 0 lint --format=json clean.txt
has out '^\[\]$'
run 0 lint --format json warn.txt
cp out spaced
run 0 lint --format=json warn.txt
cmp -s out spaced || fail "--format=json and --format json differ"
run 2 lint --format xml warn.txt
has err 'unknown format'
run 2 lint --bogus warn.txt
run 2 lint --disable no-such-rule warn.txt
has err "no rule 'no-such-rule'"
run 2 lint --diff warn.txt

# Exit status: errors fail; warnings only with --strict; disabled rules are not reported.
run 0 lint warn.txt
run 1 lint --strict warn.txt
run 0 lint --strict --disable=unread-value warn.txt
empty out
run 1 lint error.txt

# Several files, standard input, and files that cannot be read (reported, status 2).
run 1 lint warn.txt error.txt
has out '^warn\.txt:3:16: warning: ' && has out '^error\.txt:1:1: error: '
"$tool" lint --format gcc - <warn.txt >out 2>err
has out '^<stdin>:3:16: warning: '
run 2 lint warn.txt missing.txt
has err '^vantrel: missing\.txt: ' && has out '^warn\.txt:3:16:'
mkdir folder
run 2 lint folder
has err '^vantrel: folder: '

# Colour only when asked for or on a terminal, and never under NO_COLOR.
esc=$(printf '\033')
run 0 lint warn.txt
lacks out "$esc"
run 0 lint --color=always warn.txt
has out "$esc"
if script -qc true /dev/null >/dev/null 2>&1; then
  script -qc "'$tool' lint warn.txt" /dev/null >out 2>&1
  has out "$esc"
  NO_COLOR=1 script -qc "'$tool' lint warn.txt" /dev/null >out 2>&1
  lacks out "$esc"
fi

# --fix: the certain fixes, line ends kept, the file replaced; it lints clean afterwards and
# loads the same profiles. --diff shows the same change without making it.
profiles() {
  "$tool" simulate --explain 0 "$1" "$here/explain.scenario" |
    sed -n 's/^\([^ ].*\) (line [0-9]*): \(.*\)$/\1: \2/p'
}
sed 's/$/\r/' "$here/lint_fix.txt" >fix.txt
cp fix.txt unchanged.txt
run 0 lint --fix --diff fix.txt
cmp -s fix.txt unchanged.txt || fail "--diff changed the file"
cp out fix.diff
profiles fix.txt >before
run 0 lint --fix fix.txt
has out '^fix\.txt: 20 fixes applied$' && has out '^fix\.txt:2:6: fixed: replace .fFov2. with .fFOV. \[load\]$'
cmp -s fix.txt <(sed 's/$/\r/' "$here/lint_fix.fixed") || { fail "--fix wrote:"; cat -A fix.txt; }
run 0 lint --strict fix.txt
empty out
profiles fix.txt | diff -u before - || fail "the fixed file loads other profiles"
patch -s -o patched.txt unchanged.txt fix.diff && cmp -s patched.txt fix.txt ||
  fail "the --diff output does not give the fixed file"
"$tool" lint --fix - <unchanged.txt >out 2>err
cmp -s out fix.txt || fail "--fix - does not write the fixed text to stdout"
has err '^-: 20 fixes applied$'

# The file as bytes: a byte-order mark (fixed), UTF-16, a Ctrl-Z, and a line the game splits.
printf '\357\273\277[Combat]\n(bWeaponOut)\n' >bom.txt
run 1 lint --format gcc bom.txt
has out '^bom\.txt:1:1: error: the file begins with a UTF-8 byte-order mark.*opens no profile.* \[file-format\]$'
lacks out '^bom\.txt:1:1: error: Invalid syntax'
run 0 lint --fix bom.txt
[ "$(head -c 8 bom.txt)" = "[Combat]" ] || fail "--fix kept the byte-order mark"
# Editors do not show the mark: line 1's columns count from after it.
printf '\357\273\277; x\032\nSet fFOV 90\n' >bom.txt
run 1 lint --format gcc bom.txt
has out '^bom\.txt:1:4: error: the game stops reading at this Ctrl-Z'
printf '[Combat]\r\n(bWeaponOut)\r\n' | iconv -f UTF-8 -t UTF-16 >utf16.txt
run 1 lint --format gcc utf16.txt
[ "$(wc -l <out)" = 1 ] && has out '^utf16\.txt:1:1: error: the file is saved as UTF-16'
printf 'Set fFOV 90\n\032\nSet fFOV 80\n' >ctrlz.txt
run 1 lint --format gcc ctrlz.txt
has out '^ctrlz\.txt:2:1: error: the game stops reading at this Ctrl-Z'
{ printf '; %01100d\n' 0; printf 'Sett fFOV 90\n'; } >long.txt
run 1 lint --format gcc long.txt
has out '^long\.txt:1:1024: error: this line is longer than 1,022 characters.*as line 2: .*\[file-format\]$'
has out "^long\.txt:2:1: error: Unknown command 'Sett'! \(the game counts this as line 3: "

exit $failed
