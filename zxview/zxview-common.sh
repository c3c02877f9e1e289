# shellcheck shell=sh
# Shared part of view8x1.sh, view8x2.sh, view8x4.sh and view8x8.sh.
# It is sourced by them, not run on its own; the launcher sets ZXVIEW_MODE
# (e.g. 8x4) first. The snapshot is image.z80, the one the editor writes,
# unless ZXVIEW_IMAGE names another in this folder.
#
# The image is looked for in this script's folder, which is the folder the
# editor writes into, so a launcher also works when run by hand from
# somewhere else.
#
# With ZXVIEW_EMULATOR set, it is run by sh with the image's full path
# added as the last argument, so it may hold options and quotes like any
# shell command line. ZXVIEW_MODE is passed on in the environment. Without
# it, Fuse runs the snapshot on the machine it names (a 128K, or a Pentagon
# 128 for a snapshot written for one) with our own ROM beside it in every ROM slot (the
# viewer never calls the ROM, so any ROM does). With no Fuse either, a
# message says how to install it and the launcher exits 1.

: "${ZXVIEW_MODE:?not set; run a view8xN.sh launcher instead}" "${ZXVIEW_IMAGE:=image.z80}"

zxview_dir=$(CDPATH='' cd -- "$(dirname -- "$0")" && pwd) || exit 1
zxview_image=$zxview_dir/$ZXVIEW_IMAGE

if [ ! -f "$zxview_image" ]; then
  printf 'chromaLoom preview: %s does not exist; the editor writes it with File > Preview TRD on ZX-emul.\n' \
    "$zxview_image" >&2
  exit 1
fi

if [ -z "${ZXVIEW_EMULATOR:-}" ]; then
  zxview_rom=$zxview_dir/chromaloom-128.rom
  # Fuse's program names, in the order tried, are one list that the editor
  # and the emulator tests read too.
  zxview_fuse=
  while read -r zxview_name || [ -n "$zxview_name" ]; do
    if [ -n "$zxview_name" ] && command -v "$zxview_name" >/dev/null 2>&1; then
      zxview_fuse=$zxview_name
      break
    fi
  done <"$zxview_dir/fuse_programs.txt"
  if [ -n "$zxview_fuse" ]; then
    # Sound is not needed to see a picture, and the status icons would
    # cover the bottom border.
    exec "$zxview_fuse" --machine 128 --no-sound --no-statusbar --no-confirm-actions \
      --rom-128-0 "$zxview_rom" --rom-128-1 "$zxview_rom" \
      --rom-pentagon-0 "$zxview_rom" --rom-pentagon-1 "$zxview_rom" --rom-pentagon-2 "$zxview_rom" \
      --snapshot "$zxview_image"
  fi
  printf '%s\n' \
    "chromaLoom preview: $zxview_image is ready ($ZXVIEW_MODE), but no emulator was found." \
    "Install Fuse (apt install fuse-emulator-sdl), or set ZXVIEW_EMULATOR to a command that" \
    "takes the snapshot's path as its last argument, for example" \
    "  ZXVIEW_EMULATOR=\"\$HOME/bin/show-z80\" chromaloom" \
    "or edit the ZXVIEW_EMULATOR line in $zxview_dir/view$ZXVIEW_MODE.sh." >&2
  exit 1
fi

export ZXVIEW_MODE
# The editor does not wait, so the emulator simply takes over this process.
exec /bin/sh -c "$ZXVIEW_EMULATOR"' "$@"' zxview "$zxview_image"
