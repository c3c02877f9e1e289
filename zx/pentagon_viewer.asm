; The chromaLoom viewer for the Pentagon 128, for pictures of cell height
; 8x2 and 8x4: like the 128K viewer it shows screen 0 (bank 5) and screen 1
; (bank 7) one frame each with their borders, and it rewrites all 32
; attribute columns of the screen on view at every cell boundary, in step
; with the beam. The 128K cannot: its contended memory lets the processor
; write the screen only once in 8 T-states while the beam draws, which
; leaves too little time between two lines for 32 bytes; the Pentagon has
; no contention.
;
; Memory while it runs:
;   0x4000 bank 5   screen 0, pixels and attributes
;   0x8000 bank 2   this code and its settings; the race code of screen 1
;   0xBD00          stack top (grows down)
;   0xBDBD          JP to the frame interrupt
;   0xBE00..0xBF00  IM 2 vector table, 257 bytes of 0xBD
;   0xC000          while screen 0 shows: bank 0, the race code of screen 0,
;                   which writes screen 0's attributes at 0x5800;
;                   while screen 1 shows: bank 7, screen 1 (attributes at 0xD800)
; The race code holds the picture's attributes itself: the writer fills in
; the bytes the layout table below points at. The ROM is never called.
;
; Timing of the Pentagon 128: 224 T-states per line, 320 lines, 71680 per
; frame, no contended memory. The beam reads the 32 attributes of a line
; 4 T-states apart.

        include "viewer_banks.asm"

BLOCK2  equ 92              ; bytes of one block of the 8x2 race code
BLOCK4  equ 98              ; and of the 8x4 one

; When the first block starts, counted from the interrupt. Swept in Fuse
; one value at a time (scripts/emulator-shots.sh with pasmo --equ
; RACE_START=n), at 8x2 and 8x4: every start from 17622 to 17646 shows the
; picture exactly in every frame; 17619..17621 and 17647 only in some (the
; HALT the interrupt ends adds 0..3 T-states), 17618 and 17648 in none. The
; middle, 17634, leaves 12 T-states either way.
        if defined RACE_START
        else
RACE_START equ 17634
        endif

        include "viewer_settings.asm"

; +8: where the writer puts the picture, and the race code of each screen.
        dw race0_2, race1_2, race0_4, race1_4   ; +8: first block of each
        dw BLOCK2, BLOCK4                       ; +16
; +20: for columns 0..31, where a block holds that column's attribute byte.
        db 2, 3, 4, 5, 6, 7, 8, 9               ; 0..7: data, popped into AF BC DE HL
        db 12, 13, 14, 15, 16, 17               ; 8..13: data, BC' DE' HL'
        db 20, 21, 18, 19                       ; 14..17: data, IY IX
        db 49, 50, 52, 53, 55, 56               ; 18..23: LD BC, LD DE, LD HL
        db 79, 80, 76, 77, 73, 74               ; 24..29: LD BC', LD DE', LD HL'
        db 10, 11                               ; 30, 31: data, AF'

        include "viewer_frame.asm"

; 8x2 and 8x4: once a frame, pick the race code of the screen on view, wait
; for the top of the picture and run it.
race:   ei
nextframe:
        halt                    ; resumes at T = 210 after the interrupt
        ld a, (cellheight)      ; 13
        and 4                   ; 7   0 for 8x2, 4 for 8x4
        ld l, a                 ; 4
        ld a, (shown)           ; 13
        add a, a                ; 4
        add a, l                ; 4
        add a, 8                ; 7   +8, +10, +12 or +14
        ld l, a                 ; 4
        ld h, 0x80              ; 7
        ld a, (hl)              ; 7
        inc hl                  ; 6
        ld h, (hl)              ; 7
        ld l, a                 ; 4
        di                      ; 4   T = 301: the stack is the race's now
        wait_for RACE_START - 305
        jp (hl)                 ; 4:  the first block starts at RACE_START

; Back from the race code at T = RACE_START + 43008 + 10, well before the
; next interrupt at 71680.
racedone:
        ld sp, STACK
        ei
        jr nextframe

; One block: the cell boundary at picture line y, as the beam leaves line
; y - 1 for line y; ROW is the attribute row of line y. A block lasts
; exactly the cells' height in lines: 448 T-states at 8x2, 896 at 8x4.
; T-states are counted from the block's start; the window starts at t = 146.
; Column c of line y - 1 is read at about W + 4c (W the window's start in
; the beam's time), of line y 224 T-states later, so each column's byte
; has 224 T-states to land in, sliding right by 4 per column:
;
;   t   0..146  the 20 bytes in the block's data into AF BC DE HL, AF' BC'
;               DE' HL', IX, IY (nothing is written)
;   t 146..200  columns 7..0 with the stack, first write at t = 164, once
;               the beam is past column 7
;   t 200..230  BC DE HL take columns 18..23 from the code
;   t 230..344  columns 23..8, the last at t = 344
;   t 344..374  BC' DE' HL' take columns 24..29
;   t 374..428  columns 31..24, the last at t = 428
;   t 428..436  back to the main registers, then the pad to the block's end
; The earliest start lets the first write meet the beam on column 7, the
; latest lets the last one (column 24) land before the beam reads it: 25
; T-states apart, as swept for RACE_START.
block   macro row, height
        local skip_, data_
        jr skip_                ; 12
data_:  ds 20                   ; columns 0..7, 30, 31, 8..13, 16, 17, 14, 15
skip_:  ld sp, data_            ; 10
        pop af                  ; 10  columns 0, 1
        pop bc                  ; 10  2, 3
        pop de                  ; 10  4, 5
        pop hl                  ; 10  6, 7
        exx                     ; 4
        ex af, af'              ; 4
        pop af                  ; 10  30, 31
        pop bc                  ; 10  8, 9
        pop de                  ; 10  10, 11
        pop hl                  ; 10  12, 13
        exx                     ; 4
        ex af, af'              ; 4
        pop ix                  ; 14  16, 17
        pop iy                  ; 14  14, 15; t = 146, the window
        ld sp, row + 8          ; 10
        push hl                 ; 11  7, 6
        push de                 ; 11  5, 4
        push bc                 ; 11  3, 2
        push af                 ; 11  1, 0; t = 200
        ld bc, 0                ; 10  18, 19
        ld de, 0                ; 10  20, 21
        ld hl, 0                ; 10  22, 23
        ld sp, row + 24         ; 10
        push hl                 ; 11  23, 22
        push de                 ; 11  21, 20
        push bc                 ; 11  19, 18
        push ix                 ; 15  17, 16
        push iy                 ; 15  15, 14
        exx                     ; 4
        ex af, af'              ; 4
        push hl                 ; 11  13, 12
        push de                 ; 11  11, 10
        push bc                 ; 11  9, 8; t = 344
        ld hl, 0                ; 10  28, 29
        ld de, 0                ; 10  26, 27
        ld bc, 0                ; 10  24, 25
        ld sp, row + 32         ; 10
        push af                 ; 11  31, 30
        push hl                 ; 11  29, 28
        push de                 ; 11  27, 26
        push bc                 ; 11  25, 24; t = 428
        exx                     ; 4
        ex af, af'              ; 4   t = 436
        if height = 2
        jr $ + 2                ; 12  t = 448
        else
        ld b, 34                ; 7
        djnz $                  ; 13 * 33 + 8 = 437
        nop                     ; 4
        nop                     ; 4
        nop                     ; 4
        nop                     ; 4   t = 896
        endif
        endm

; The race code of one screen at one cell height: a block for each cell
; boundary, the first at line 0 (whose row the line above does not read).
race_code macro attrs, height
        local line_
line_   defl 0
        rept 192 / height
        block attrs + (line_ / 8) * 32, height
line_   defl line_ + height
        endm
        jp racedone
        endm

race1_2: race_code ATTRS1, 2
race1_4: race_code ATTRS1, 4
        if $ > STACK - 256
        .error the race code runs into the stack
        endif

        org 0xC000
race0_2: race_code ATTRS0, 2
race0_4: race_code ATTRS0, 4

        end
