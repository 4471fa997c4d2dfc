#!/usr/bin/env bash
# scripts/package.sh [DIR]: builds the two programs in DIR (build-package)
# and makes a Debian package of their install tree with cpack; prints the
# package's path. Its run-time dependencies come from dpkg-shlibdeps.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$top/${1:-build-package}
# Installing builds only what the package holds, not the tests; the build
# type is the usual one, so that ccache serves it, and cpack strips the programs.
cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXVT_BENCH=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" --target xvtinst xvtinst-cli xvt_man_pages
(cd "$dir" && cpack -G DEB -D CPACK_STRIP_FILES=ON >/dev/null)
ls "$dir"/xvtinst_*.deb
