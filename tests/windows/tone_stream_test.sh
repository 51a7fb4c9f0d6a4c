#!/usr/bin/env bash
# Runs tone_stream_test.exe under wine64 twice, each time with ALSA's default device made by a
# private configuration: first a file sink that records the raw PCM the program plays, then a
# device that does not exist. ALSA_CONFIG_PATH replaces ALSA's whole search list, so neither the
# user's ~/.asoundrc nor the system's configuration nor a real sound card takes part.
# Usage: tests/windows/tone_stream_test.sh [path/to/tone_stream_test.exe] [gtest options...]
# (DISPLAY and SONABRILL_WINEPREFIX as for scripts/wine-exec.)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
exe=${1:-$root/build/win64/tone_stream_test.exe}
shift $(($# > 0 ? 1 : 0))

work=$(mktemp -d "${TMPDIR:-/tmp}/sonabrill-audio.XXXXXX")
trap 'rm -rf "$work"' EXIT

cat >"$work/capture.conf" <<CONF
pcm.!default {
    type file
    slave.pcm { type null }
    file "$work/capture.raw"
    format "raw"
}
CONF
cat >"$work/missing.conf" <<CONF
pcm.!default {
    type hw
    card "Missing"
}
CONF

status=0
ALSA_CONFIG_PATH="$work/capture.conf" SONABRILL_AUDIO_CAPTURE="$work/capture.raw" \
    "$root/scripts/wine-exec" "$exe" \
    --gtest_filter='ToneStreamCapture.*' "$@" || status=1
ALSA_CONFIG_PATH="$work/missing.conf" SONABRILL_AUDIO_MISSING=1 \
    "$root/scripts/wine-exec" "$exe" \
    --gtest_filter='ToneStreamNoDevice.*' "$@" || status=1
exit "$status"
