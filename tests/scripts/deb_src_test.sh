#!/usr/bin/env bash
# The source entries the set-up derives from a machine's apt configuration: deb822 stanzas
# keep every field of a binary stanza of the release (a multi-line key included), one-line
# entries keep their options, and third-party, disabled and commented entries stay out unless
# nothing else is there.
set -uo pipefail
script="$(cd "$(dirname "$0")/../.." && pwd)/scripts/deb-src.sh"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" = "$actual" ]; then echo "ok: $what"; else
    echo "FAILED: $what"; diff <(echo "$expected") <(echo "$actual"); failures=$((failures + 1)); fi
}

cat > "$dir/debian.sources" <<'SRC'
Types: deb
# a mirror of the release
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----

Types: deb
URIs: https://third.example/node
Suites: nodistro
Components: main

Types: deb
Enabled: no
URIs: http://off.example/debian
Suites: bookworm
Components: main
SRC
cat > "$dir/sources.list" <<'SRC'
# a comment
deb http://mirror.example/debian bookworm main non-free # trailing words
deb [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://mirror.example/debian bookworm-updates main
#deb http://old.example/debian bookworm main
deb https://third.example/apt cloud-sdk-bookworm main
SRC

bash "$script" bookworm "$dir/out" "$dir/debian.sources" "$dir/sources.list"
check "deb822 stanzas of the release" "Types: deb-src
URIs: http://mirror.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://mirror.example/debian-security
Suites: bookworm-security
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 -----END PGP PUBLIC KEY BLOCK-----" "$(cat "$dir/out.sources")"
check "one-line entries of the release, options kept" "deb-src http://mirror.example/debian bookworm main non-free
deb-src [arch=amd64 signed-by=/usr/share/keyrings/x.gpg] http://mirror.example/debian bookworm-updates main" "$(cat "$dir/out.list")"

rm -f "$dir"/out.*
bash "$script" trixie "$dir/out" "$dir/sources.list"
check "another release: every enabled entry" 3 "$(grep -c '^deb-src ' "$dir/out.list")"
check "... and no empty deb822 file" no "$([ -e "$dir/out.sources" ] && echo yes || echo no)"

printf '# nothing\n' > "$dir/empty.list"
bash "$script" bookworm "$dir/none" "$dir/empty.list" 2>/dev/null
check "nothing to follow is a failure" "1 no" "$? $([ -e "$dir/none.list" ] && echo yes || echo no)"
[ "$failures" -eq 0 ]
