#!/bin/sh
# Emulator preview launcher for 8x2 pictures.
#
# The chromaLoom editor writes image.z80 (a 128K snapshot: our
# viewer with both screens of the picture) and chromaloom-128.rom (our own
# ROM, which the emulator needs to start) into this folder and starts this
# script by its full path, with this folder as the working directory,
# without waiting for it.
#
# Fuse (fuse-sdl or fuse on the PATH) shows it as a 128K. To use
# another emulator, set ZXVIEW_EMULATOR to a command that gets the
# snapshot's full path as its last argument, in the editor's environment
# for every mode, or uncomment and edit the line below, which wins over the
# environment for 8x2 pictures (an installed copy of this file is replaced
# by the next install).
#
# With neither, the script says on stderr how to install Fuse and exits 1.

#ZXVIEW_EMULATOR="$HOME/bin/show-mg"

ZXVIEW_MODE=8x2
# shellcheck source=zxview-common.sh
. "$(dirname -- "$0")/zxview-common.sh"
