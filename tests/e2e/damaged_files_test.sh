#!/usr/bin/env bash
# Damaged or unusable user files never stop the pad: empty, truncated,
# binary, larger than 16 MB, not a file, unreadable; and folders that cannot
# be written. Each time the pad comes up with its defaults, works, and
# nothing the user had is overwritten: what cannot be read is set aside
# whole or left exactly where it is.
source "$(dirname "$0")/lib.sh"
shipped=$(dirname "$program")/customwords.txt
files=("$config_dir/lekhora.conf" "$data_dir/customwords.txt" "$data_dir/text.txt")
expect=$state/expect
ka=$(utf8_hex 0915)

fresh_home() {
  chmod -R u+rwx "$data_dir" "$config_dir" 2>/dev/null || true
  rm -rf "$data_dir" "$config_dir" "$expect"
  mkdir -p "$data_dir" "$config_dir" "$expect"
}
# The pad is up with nothing restored, and typing works.
works_with_defaults() {
  focus_box
  xdotool type --delay 60 k
  sleep 0.3
  local got
  got=$(box_hex)
  [ "$got" = "$ka" ] || fail "$1: the box holds $got, expected only $ka"
}
# Each file was renamed aside whole.
set_aside() {
  local file name copies
  for file in "${files[@]}"; do
    name=$(basename "$file")
    copies=$(ls "$(dirname "$file")" | grep -c "^$name\.damaged-[0-9]\{8\}-[0-9]\{6\}$" || true)
    [ "$copies" -eq 1 ] || fail "$1: $name was not set aside (${copies} copies)"
    cmp -s "$(dirname "$file")/$(ls "$(dirname "$file")" | grep "^$name\.damaged-")" "$expect/$name" ||
      fail "$1: the copy of $name set aside is not the file as it was"
  done
}
untouched() {
  local file
  for file in "${files[@]}"; do
    if [ -d "$expect/$(basename "$file")" ]; then
      [ -d "$file" ] || fail "$1: $(basename "$file") is no longer a folder"
    else
      cmp -s "$file" "$expect/$(basename "$file")" || fail "$1: $(basename "$file") was changed"
    fi
  done
}
make_files() {
  local file
  for file in "${files[@]}"; do
    case $1 in
      empty) : >"$file" ;;
      truncated)
        case $file in
          *.txt) printf 'k\xe0\xa4' >"$file" ;;                       # half a letter
          *) printf '[General]\nlayout=Insc' >"$file" ;;
        esac
        [ "$(basename "$file")" = customwords.txt ] && head -c 7 "$shipped" >"$file"
        ;;
      binary) printf '\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\n' >"$file" ;;
      huge) head -c $((16 * 1024 * 1024 + 2)) /dev/zero | tr '\0' 'a' >"$file" ;;
      folder) mkdir -p "$file" ;;
      unreadable) printf 'x\n' >"$file" ;;
    esac
    cp -a "$file" "$expect/"
  done
}

# A clean start has nothing to tell in the title band.
fresh_home
start_pad
title_tip_shown && fail "a clean start shows a tooltip on the title band"
exit_pad

for kind in empty truncated binary huge folder; do
  fresh_home
  make_files "$kind"
  start_pad
  case $kind in
    empty | folder) untouched "$kind" ;;
    *)
      set_aside "$kind"
      cmp -s "$data_dir/customwords.txt" "$shipped" || fail "$kind: the word list was not made anew"
      ;;
  esac
  works_with_defaults "$kind"
  [ $kind = empty ] || title_tip_shown || fail "$kind: the title band does not tell of the files"
  exit_pad
  case $kind in
    folder) untouched "$kind" ;;
    *) [ "$(od -An -tx1 "$data_dir/text.txt" | tr -d ' \n')" = "${ka}0a" ] ||
         fail "$kind: the text was not saved after the damaged file" ;;
  esac
  echo "$kind files: ok"
done

# A folder that cannot be made: a file stands where it would be.
fresh_home
rm -rf "$data_dir" "$config_dir"
printf 'mine' >"$data_dir"
printf 'mine' >"$config_dir"
start_pad
works_with_defaults "no folder"
title_tip_shown || fail "no folder: no warning on the title band"
exit_pad
[ "$(cat "$data_dir")$(cat "$config_dir")" = minemine ] || fail "no folder: the files in the way changed"
rm -f "$data_dir" "$config_dir"
echo "no folder: ok"

# What the superuser could read and write anyway, as a normal user meets it.
for kind in unreadable readonly; do
  fresh_home
  make_files empty
  [ $kind = unreadable ] && make_files unreadable
  [ $kind = readonly ] && rm -f "${files[@]}" "$expect"/*
  run_as_normal_user
  [ $kind = unreadable ] && chmod 000 "${files[@]}"
  [ $kind = readonly ] && chmod 555 "$data_dir" "$config_dir"
  start_pad
  works_with_defaults "$kind"
  title_tip_shown || fail "$kind: the title band does not tell of the files"
  sleep 1.5
  exit_pad
  chmod -R u+rwx "$data_dir" "$config_dir"
  if [ $kind = unreadable ]; then
    untouched "$kind"
  else
    [ -z "$(ls -A "$data_dir" "$config_dir" | grep -v ':$' | grep -v '^$' || true)" ] ||
      fail "readonly: something was written: $(ls -A "$data_dir" "$config_dir")"
  fi
  echo "$kind: ok"
done
echo "damaged files ok"
