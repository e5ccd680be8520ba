#!/bin/sh
# The whole show, its exit paths and the bitmap and picture readers on
# damaged files, with the program and the tests built under AddressSanitizer
# and UndefinedBehaviorSanitizer (in build-test-asan/, or ORVANE_ASAN_BUILD).
# Any sanitizer report ends the run with a nonzero code, so the tests that
# require exit code 0 fail on it. Leaks inside system libraries (GL driver,
# X11, dbus) are suppressed: lsan-suppressions.txt. The software GL driver is
# preloaded so that it stays mapped at exit: unloaded, its static blocks read
# as leaks without a name.
set -eu
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${ORVANE_ASAN_BUILD:-$root/build-test-asan}"
cmake -S "$root" -B "$build" -G Ninja -DORVANE_WERROR=ON -DORVANE_SANITIZE=ON
cmake --build "$build" --target orvane datagen_data orvane_soundtrack_data test_reliability test_media
export SDL_AUDIODRIVER=dummy
export ORVANE_HEADLESS=1
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:check_initialization_order=1:verify_asan_link_order=0"
export LSAN_OPTIONS="suppressions=$root/tests/reliability/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
driver=""
for candidate in /usr/lib/*/dri/swrast_dri.so /usr/lib/dri/swrast_dri.so; do
  [ -f "$candidate" ] && driver="$candidate" && break
done
jobs="$(nproc 2>/dev/null || echo 2)"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" env ${driver:+LD_PRELOAD="$driver"} \
  ctest --test-dir "$build" --output-on-failure -j "$jobs" \
  -R 'ExitPathTest\.|WindowInputTest\.|RunPlaceTest\.|BitmapTest\.|JpegTest\.'
