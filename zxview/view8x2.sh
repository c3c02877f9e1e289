#!/bin/sh
# Emulator preview launcher for 8x2 pictures.
#
# The chromaLoom editor writes image.mg2 (a MultiGigaScreen file: 256-byte
# "MGH" header, then both screens' pixels and attributes) into this folder
# and starts this script by its full path, with this folder as the working
# directory, without waiting for it.
#
# What reaches the emulator is up to you: ZXVIEW_EMULATOR names a command
# that gets the image's full path as its last argument. A usual one is a
# script of your own that puts the file on a TRD disk image together with a
# MultiGigaScreen viewer program for the Spectrum, then starts an emulator
# (Fuse, ZEsarUX, Unreal Speccy, ...) on that disk; the viewer and the
# emulator are yours to provide. Set ZXVIEW_EMULATOR in the editor's
# environment for every mode, or uncomment and edit the line below, which
# wins over the environment for 8x2 pictures (an installed copy of this file
# is replaced by the next install).
#
# Without a command the script says on stderr which file is ready and
# exits 0.

#ZXVIEW_EMULATOR="$HOME/bin/show-mg"

ZXVIEW_MODE=8x2
ZXVIEW_IMAGE=image.mg2
# shellcheck source=zxview-common.sh
. "$(dirname -- "$0")/zxview-common.sh"
