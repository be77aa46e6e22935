#!/bin/sh
# The compiler launcher of the presets: runs the compiler through ccache when
# ccache is installed, and plainly otherwise, so a preset works on any machine.
if command -v ccache >/dev/null 2>&1; then exec ccache "$@"; fi
exec "$@"
