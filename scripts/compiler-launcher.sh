#!/bin/sh
# The compiler launcher of the presets: runs the compiler through ccache when
# ccache is installed, and plainly otherwise, so a preset works on any machine.
# Paths are hashed relative to the checkout, so that another clone of the same
# sources (a CI run in a fresh folder) finds what an earlier one compiled.
if command -v ccache >/dev/null 2>&1; then
  : "${CCACHE_BASEDIR:=$(cd "$(dirname "$0")/.." && pwd)}"
  : "${CCACHE_NOHASHDIR:=true}"
  export CCACHE_BASEDIR CCACHE_NOHASHDIR
  exec ccache "$@"
fi
exec "$@"
