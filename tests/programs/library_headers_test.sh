#!/usr/bin/env bash
# The libraries' installed interface: exactly the public headers (no private *_p.h, none that
# reaches into the program's own folders), each compiling on its own against the install, and
# every symbol the libraries define inside namespace zeph, so a user's names never collide.
source "$(dirname "$0")/install_common.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" --component zeph_development >"$work/install.log" 2>&1 ||
  { cat "$work/install.log" >&2; fail "installing the libraries failed"; }

expected=$work/expected.txt installed=$work/installed.txt
for library in toolkit scales chart translation; do
  [ -f "$prefix/lib/libzeph$library.a" ] || [ -f "$prefix/lib/libzeph$library.so" ] || fail "libzeph$library is not installed"
  for header in "$source_dir/src/zeph/$library"/*.h; do
    case $header in *_p.h) continue ;; esac
    echo "zeph/$library/$(basename "$header")"
  done
  echo "zeph/$library/${library}_export.h"
done | sort >"$expected"
(cd "$prefix/include" && find . -type f | sed 's@^\./@@' | sort) >"$installed"
diff -u "$expected" "$installed" >"$work/diff.txt" || { cat "$work/diff.txt" >&2; fail "the installed headers are not the public ones"; }
for file in ZephChartConfig.cmake ZephChartConfigVersion.cmake ZephChartTargets.cmake; do
  [ -f "$prefix/lib/cmake/ZephChart/$file" ] || fail "$file is not installed"
done
[ -f "$prefix/lib/pkgconfig/zephchart.pc" ] || fail "zephchart.pc is not installed"

if grep -rnE '#include "(zeph/[a-z]+/[a-z0-9_]+_p\.h|app/|host/|platform/)' "$prefix/include" >"$work/private.txt"; then
  cat "$work/private.txt" >&2
  fail "an installed header includes a private one"
fi

# Each header alone, as a user's first include, against the installed tree only.
qt_flags=$(pkg-config --cflags Qt6Widgets)
while read -r header; do
  echo "#include <$header>" >"$work/alone.cpp"
  # shellcheck disable=SC2086
  g++ -std=c++20 -fPIC -fsyntax-only -Wall -Wextra -Wpedantic -Werror -I"$prefix/include" $qt_flags \
      "$work/alone.cpp" 2>"$work/alone.log" || { cat "$work/alone.log" >&2; fail "<$header> does not compile on its own"; }
done <"$installed"

# Defined symbols outside namespace zeph: only the compiled-in cursor images' registration.
nm -C --defined-only "$build"/src/zeph/*/libzeph*.a 2>/dev/null |
  awk '$2 ~ /^[TDBR]$/ { $1 = ""; $2 = ""; print substr($0, 3) }' |
  sed -E 's/^((non-)?virtual thunk to |typeinfo (name )?for |vtable for |VTT for |guard variable for )//' |
  grep -v '^zeph::' | grep -Ev '^q(Init|Cleanup)Resources_[a-z]+\(\)$' >"$work/global.txt" || true
[ ! -s "$work/global.txt" ] || { cat "$work/global.txt" >&2; fail "the libraries define symbols outside namespace zeph"; }
echo "$test_name: passed"
