#!/usr/bin/env bash
# tools/not-built over small trees: tripwires are listed by file and class, the
# exit status says whether any is left, and the macro's own definition and
# tripwires outside the source folders are not counted.
set -euo pipefail
tool="$1"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree/ui/docking" "$tree/tests/ui"
cat > "$tree/ui/docking/Bar.cpp" <<'CPP'
#define KTVP_NOT_BUILT(operation) KtvNotBuilt(operation)
void CKtvPBar::Dock() { KTVP_NOT_BUILT("CKtvPBar::Dock"); }
void CKtvPBar::Float() { KTVP_NOT_BUILT( "CKtvPBar::Float" ); }
void KtvHelper() { KTVP_NOT_BUILT("KtvHelper"); }
CPP
echo 'void T() { KTVP_NOT_BUILT("CTest::Ignored"); }' > "$tree/tests/ui/T.cpp"

set +e
out="$("$tool" --root "$tree")"
rc=$?
set -e
expected='ui/docking/Bar.cpp
  (free functions)
    4: KtvHelper
  CKtvPBar
    2: CKtvPBar::Dock
    3: CKtvPBar::Float
3 operation(s) not built'
[ "$rc" -eq 1 ] || { echo "exit status $rc, expected 1"; exit 1; }
[ "$out" = "$expected" ] || { printf 'got:\n%s\nexpected:\n%s\n' "$out" "$expected"; exit 1; }

out="$("$tool" --root "$tree" --count)" || true
echo "$out" | grep -qx '  CKtvPBar: 2' || { echo "count missing: $out"; exit 1; }

rm "$tree/ui/docking/Bar.cpp"
out="$("$tool" --root "$tree")" || { echo "a tree without tripwires must pass"; exit 1; }
[ "$out" = "no operation left unbuilt" ] || { echo "got: $out"; exit 1; }
echo ok
