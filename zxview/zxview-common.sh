# shellcheck shell=sh
# Shared part of view8x1.sh, view8x2.sh, view8x4.sh and view8x8.sh.
# It is sourced by them, not run on its own; the launcher sets
# ZXVIEW_MODE (e.g. 8x4) and ZXVIEW_IMAGE (e.g. image.mg4) first.
#
# The image is looked for in this script's folder, which is the folder the
# editor writes into, so a launcher also works when run by hand from
# somewhere else.
#
# With ZXVIEW_EMULATOR set, it is run by sh with the image's full path
# added as the last argument, so it may hold options and quotes like any
# shell command line. ZXVIEW_MODE is passed on in the environment, for a
# command that picks a viewer by mode. Without it, a message says which
# file is ready and the launcher exits 0: no emulator is not an error.

: "${ZXVIEW_MODE:?not set; run a view8xN.sh launcher instead}" "${ZXVIEW_IMAGE:?not set; run a view8xN.sh launcher instead}"

zxview_dir=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd) || exit 1
zxview_image=$zxview_dir/$ZXVIEW_IMAGE

if [ ! -f "$zxview_image" ]; then
  printf 'chromaLoom preview: %s does not exist; the editor writes it with File > Preview TRD on ZX-emul.\n' \
    "$zxview_image" >&2
  exit 1
fi

if [ -z "${ZXVIEW_EMULATOR:-}" ]; then
  printf '%s\n' \
    "chromaLoom preview: $zxview_image is ready ($ZXVIEW_MODE MultiGigaScreen)," \
    "but no emulator is set. To show it on a ZX Spectrum emulator, set ZXVIEW_EMULATOR" \
    "to a command that takes the image's path as its last argument, for example" \
    "  ZXVIEW_EMULATOR=\"\$HOME/bin/show-mg\" chromaloom" \
    "or edit the ZXVIEW_EMULATOR line in $zxview_dir/view$ZXVIEW_MODE.sh." >&2
  exit 0
fi

export ZXVIEW_MODE
# The editor does not wait, so the emulator simply takes over this process.
exec /bin/sh -c "$ZXVIEW_EMULATOR"' "$@"' zxview "$zxview_image"
