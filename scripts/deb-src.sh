#!/usr/bin/env bash
# Prints source-package entries (type deb-src) derived from the machine's own binary-package
# entries: same mirror URIs, suites, components and options, so that the set-up follows
# whatever mirror the machine uses.
#
#   deb-src.sh RELEASE OUT FILE...
#
# writes OUT.sources (deb822 stanzas) and OUT.list (one-line entries), each only when it has
# an entry, and fails when no entry was found. Each FILE is a deb822 `.sources` file or a one-line `.list` file (sources.list). Only the
# entries of the system's release (suite RELEASE or RELEASE-something, e.g. bookworm-updates)
# are taken, since a third-party repository often serves no sources; when none is found, or
# RELEASE is empty, every enabled binary entry is taken.
set -euo pipefail
release=$1
out=$2
shift 2

deb822() {  # $1 = 1 to keep only the release's suites, then the files
  local only=$1
  shift
  awk -v release="$release" -v only="$only" '
    function flush() {
      if (isdeb && enabled != "no" && (only == 0 || ours)) { print "Types: deb-src"; printf "%s", body; print "" }
      isdeb = 0; enabled = ""; ours = 0; body = ""; field = ""
    }
    function ofrelease(suite) { return release != "" && (suite == release || index(suite, release "-") == 1) }
    /^[ \t]*$/ { flush(); next }
    /^#/ { next }
    /^[ \t]/ { if (field != "types") body = body $0 "\n"; next }
    {
      colon = index($0, ":")
      field = tolower(substr($0, 1, colon - 1))
      value = substr($0, colon + 1)
      gsub(/^[ \t]+|[ \t]+$/, "", value)
      if (field == "types") { isdeb = (" " value " ") ~ /[ \t]deb[ \t]/; next }
      if (field == "enabled") enabled = tolower(value)
      if (field == "suites") { n = split(value, s, /[ \t]+/); for (i = 1; i <= n; i++) if (ofrelease(s[i])) ours = 1 }
      body = body $0 "\n"
    }
    END { flush() }' "$@"
}

oneline() {  # $1 = 1 to keep only the release's suites, then the files
  local only=$1
  shift
  awk -v release="$release" -v only="$only" '
    function ofrelease(suite) { return release != "" && (suite == release || index(suite, release "-") == 1) }
    {
      line = $0
      sub(/^[ \t]+/, "", line)
      if (line !~ /^deb[ \t]/) next
      rest = substr(line, 4)
      sub(/^[ \t]+/, "", rest)
      options = ""
      if (substr(rest, 1, 1) == "[") {
        close_at = index(rest, "]")
        if (close_at == 0) next
        options = substr(rest, 1, close_at) " "
        rest = substr(rest, close_at + 1)
        sub(/^[ \t]+/, "", rest)
      }
      sub(/[ \t]*#.*$/, "", rest)
      n = split(rest, word, /[ \t]+/)
      if (n < 2) next
      if (only == 1 && !ofrelease(word[2])) next
      print "deb-src " options rest
    }' "$@"
}

stanzas=() lists=()
for file in "$@"; do
  [ -r "$file" ] || continue
  case "$file" in
    *.sources) stanzas+=("$file") ;;
    *) lists+=("$file") ;;
  esac
done

derive() {  # $1 = 1 to keep only the release's suites
  if [ ${#stanzas[@]} -gt 0 ]; then deb822 "$1" "${stanzas[@]}"; fi > "$out.sources"
  if [ ${#lists[@]} -gt 0 ]; then oneline "$1" "${lists[@]}"; fi > "$out.list"
  [ -s "$out.sources" ] || [ -s "$out.list" ]
}

derive 1 || derive 0 || { rm -f "$out.sources" "$out.list"; echo "deb-src.sh: no binary-package entry to follow" >&2; exit 1; }
[ -s "$out.sources" ] || rm -f "$out.sources"
[ -s "$out.list" ] || rm -f "$out.list"
