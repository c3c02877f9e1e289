; The chromaLoom viewer for the 128K Spectrum: shows the two screens of a
; Gigascreen picture one frame each, screen 0 from RAM bank 5 and screen 1
; from bank 7 (the shadow screen), with the border of each screen's half of
; the border pair.
;
; Memory while it runs (0x7FFD keeps bank 0 at 0xC000, 48K ROM selected):
;   0x4000 bank 5   screen 0, pixels and attributes
;   0x8000 bank 2   this code, then the settings the writer fills in
;   0xBD00          stack top (grows down)
;   0xBDBD          JP to the frame interrupt
;   0xBE00..0xBF00  IM 2 vector table, 257 bytes of 0xBD
;   bank 7          screen 1, shown through port 0x7FFD bit 3
; The ROM is never called and its interrupt vectors are never used, so the
; viewer runs the same under any ROM.
;
; Timing of the 128K: 228 T-states per line, 311 lines, 70908 per frame.
; The interrupt comes at the start of the frame; the first line of the
; picture starts 63 lines later (T = 14364) and the visible top border
; 24 lines before that (T = 8892).

VECTORS equ 0xBE00
JUMP    equ 0xBDBD
STACK   equ 0xBD00
PAGING  equ 0x7FFD
BANKS   equ 0x10            ; 48K ROM, bank 0 at 0xC000, screen 0 shown
SCREEN1 equ 0x08            ; port 0x7FFD bit 3: show bank 7

        org 0x8000

entry:  jr start

; Filled in by the writer; the offsets from 0x8000 are fixed.
border0: db 0               ; +2: border colour 0..7 while screen 0 shows
border1: db 0               ; +3: border colour 0..7 while screen 1 shows

start:  di
        ld sp, STACK
        ld hl, VECTORS          ; whatever the data bus holds, IM 2 lands on
        ld de, VECTORS + 1      ; 0xBDBD: every byte of the table is 0xBD
        ld bc, 256
        ld (hl), JUMP & 0xFF
        ldir
        ld a, 0xC3              ; JP frame
        ld (JUMP), a
        ld hl, frame
        ld (JUMP + 1), hl
        ld a, VECTORS / 256
        ld i, a
        im 2
        xor a
        ld (shown), a
        ld a, BANKS
        ld bc, PAGING
        out (c), a
        ld a, (border0)
        out (0xFE), a
        ei
idle:   halt                    ; all the work is in the frame interrupt
        jr idle

; The frame interrupt: the other screen and its border. It is over about
; 120 T-states into the frame, long before the visible top border starts
; at T = 8892, so a frame never shows half of each.
frame:  push af                 ; 11
        push bc                 ; 11
        ld a, (shown)           ; 13
        xor SCREEN1             ; 7   Z: screen 0 from now on
        ld (shown), a           ; 13
        ld c, a                 ; 4
        ld a, (border0)         ; 13
        jr z, border            ; 12/7
        ld a, (border1)         ; 13
border: out (0xFE), a           ; 11
        ld a, c                 ; 4
        or BANKS                ; 7
        ld bc, PAGING           ; 10
        out (c), a              ; 12
        pop bc                  ; 10
        pop af                  ; 10
        ei                      ; 4
        reti                    ; 14

shown:  db 0                    ; 0 or SCREEN1: the screen on view

        end
