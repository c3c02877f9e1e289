; The chromaLoom viewer for the 128K Spectrum: shows the two screens of a
; Gigascreen picture one frame each, screen 0 from RAM bank 5 and screen 1
; from bank 7 (the shadow screen), with the border of each screen's half of
; the border pair. For cell height 1 it also rewrites the middle 16
; attribute columns of the screen on view on every line, in the gap between
; two lines, from a table of 16 bytes per line (the side columns of an 8x1
; picture have 8-line cells). Pictures of 8x2 and 8x4 have a viewer of
; their own, zx/full_width_viewer.asm, which rewrites all 32 columns.
;
; Memory while it runs:
;   0x4000 bank 5   screen 0, pixels and attributes
;   0x8000 bank 2   this code; the settings the writer fills in at 0x8002
;   0xA000          screen 0's middle attributes, 16 bytes for each line
;   0xB000          screen 1's, the same way
;   0xBD00          stack top (grows down)
;   0xBDBD          JP to the frame interrupt
;   0xBE00..0xBF00  IM 2 vector table, 257 bytes of 0xBD
;   0xC000          bank 5 or bank 7: the screen on view, so its attributes
;                   are always written at 0xD800
; The ROM is never called and its interrupt vectors are never used, so the
; viewer runs the same under any ROM.
;
; Timing of the 128K: 228 T-states per line, 311 lines, 70908 per frame.
; The interrupt comes at the start of the frame. The ULA fetches each of
; the picture's lines for 128 T-states (4 per column), the first at about
; T = 14361, and only then are contended banks (1, 3, 5, 7) slowed down;
; the other 100 T-states of the line, while the beam draws the right
; border, flies back and draws the left border, are free.

VECTORS equ 0xBE00
JUMP    equ 0xBDBD
STACK   equ 0xBD00
PAGING  equ 0x7FFD
SHOW0   equ 0x15            ; 48K ROM, bank 5 at 0xC000, screen 0 (bank 5) shown
SHOW1   equ 0x1F            ; 48K ROM, bank 7 at 0xC000, screen 1 (bank 7) shown
TABLE0  equ 0xA000
TABLE1  equ 0xB000
ATTRS   equ 0xD800          ; the attributes of the screen on view
RACE    equ 0x8100
BLOCK   equ 30              ; bytes of one line's block in the race code

; When the first line's block starts, counted from the interrupt. Its
; writes must fall between the beam's pass over the line above and the
; first contended fetch of the line itself (see the race code). Swept in
; Fuse (scripts/emulator-shots.sh with pasmo --equ RACE_START=n): every
; start from 14086 to 14136 shows the picture exactly, 14085 and 14137 do
; not; the middle, 14111, leaves 25 T-states either way.
        if defined RACE_START
        else
RACE_START equ 14111
        endif

        include "viewer_settings.asm"
        include "viewer_frame.asm"

; 8x1: once a frame, point the race code at the table of the
; screen on view, wait for the top of the picture and run the race code.
race:   call check_machine      ; a +2A, +3 or Pentagon stops there
        ei
nextframe:
        halt                    ; resumes at T = 210 after the interrupt
        ld a, (shown)           ; 13
        rrca                    ; 4
        rrca                    ; 4
        rrca                    ; 4
        rrca                    ; 4   0 or 0x10
        add a, TABLE0 / 256     ; 7   0xA0 or 0xB0
        ld c, a                 ; 4
        ld hl, RACE + 2         ; 10  high byte of the first block's table address
        ld de, BLOCK            ; 10
        ld b, 192               ; 7   T = 277
patch:  ld a, (hl)              ; 7
        and 0x0F                ; 7   the line's offset in the table stays
        or c                    ; 4
        ld (hl), a              ; 7
        add hl, de              ; 11
        djnz patch              ; 13/8: 192 * 49 - 5 = 9403, T = 9680
        di                      ; 4   T = 9684: the stack is the race's now

; Waits until the first block's start.
        wait_for RACE_START - 9684
        jp RACE                 ; 10: the race code's first block starts at RACE_START

; Back from the race code at T = RACE_START + 192 * 228 + 10 (57897),
; well before the next interrupt at 70908.
racedone:
        ld sp, STACK
        ei
        jr nextframe

        ds RACE - $

; The race code: one block of exactly 228 T-states, a line's time, for each
; picture line y, starting at RACE_START + 228 * y. It takes the line's 16
; middle attributes (columns 8..23) from the table into the registers while
; the beam draws the line above (nothing contended is touched), then writes
; them with the stack from column 23 down to 8 after the beam has read the
; line above: its 16 writes lie at T-states 113..203 of the block, that is
; 14224..14314 + 228 * y, while the beam draws the right border, flies back
; and draws the left border. Line 0's block writes into the top border,
; where nothing is fetched. 204 T-states of work and 24 of padding. The
; side columns keep their 8-line cells from the screen itself.
; The operand of each block's first instruction is patched every frame to
; the table of the screen on view.
line    defl 0
        rept 192
        ld sp, TABLE0 + line * 16                ; 10   t = 0
        pop af                                   ; 10   columns 8, 9
        pop bc                                   ; 10   10, 11
        pop de                                   ; 10   12, 13
        pop hl                                   ; 10   14, 15
        exx                                      ; 4
        ex af, af'                               ; 4
        pop af                                   ; 10   16, 17
        pop bc                                   ; 10   18, 19
        pop de                                   ; 10   20, 21
        pop hl                                   ; 10   22, 23; t = 98
        ld sp, ATTRS + (line / 8) * 32 + 24      ; 10   t = 108
        push hl                                  ; 11   writes 23, 22 at t = 113..118
        push de                                  ; 11
        push bc                                  ; 11
        push af                                  ; 11
        exx                                      ; 4
        ex af, af'                               ; 4
        push hl                                  ; 11
        push de                                  ; 11
        push bc                                  ; 11
        push af                                  ; 11   writes 9, 8 at t = 198..203
        jr $ + 2                                 ; 12
        jr $ + 2                                 ; 12   t = 228
line    defl line + 1
        endm
        jp racedone

        include "viewer_machine.asm"

        end
