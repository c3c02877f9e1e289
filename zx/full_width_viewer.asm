; The chromaLoom viewer for the 128K and +2, for pictures of cell height
; 8x2 and 8x4: like zx/viewer.asm it shows screen 0 (bank 5) and screen 1
; (bank 7) one frame each with their borders, and it rewrites all 32
; attribute columns of the screen on view every two lines, in step with the
; beam. An 8x4 picture runs the same code with each cell given twice.
;
; Memory while it runs is laid out as zx/pentagon_viewer.asm has it: the
; race code of screen 1 in bank 2 after this code, that of screen 0 in bank
; 0, paged in at 0xC000 while screen 0 shows. Both race codes run from uncontended banks; only their writes to the
; screen wait for the ULA. The attribute bytes live in the race code
; itself: the writer fills in the bytes the layout table below points at.
; The ROM is never called.
;
; Why it fits: a column's new byte must land after the beam has read the
; column on a cell's last line and before it reads it on the next cell's
; first line, one line's time sliding 4 T-states right per column. While
; the beam draws, the screen can be written only once in 8 T-states, so
; each block first takes 16 of its 32 bytes into BC DE HL, their second
; set, IX and IY (nothing is written), then writes columns 0..5 one pair at
; a time just behind the beam, 23..6 with the stack mostly in the gap
; between two lines, when memory is free, and 29..24 with the stack and
; 30, 31 just ahead of the beam on the next line. The technique is the one
; published for 8x2 multicolour engines on the 48K and 128K.

        include "viewer_banks.asm"

BLOCK   equ 84              ; bytes of one block of the race code

; When the first block (the boundary at line 2) starts, counted from the
; interrupt; see the README for the sweep.
        if defined RACE_START
        else
RACE_START equ 14468
        endif

        include "viewer_settings.asm"

; +8: where the writer puts the picture.
starts: dw race0, race1         ; +8: the first block of each screen
tops:   dw top0, top1           ; +12: line 0's 32 attributes of each screen
        dw BLOCK                ; +16
; +18: for columns 0..31, where in a block the code holds that column's byte.
        db 25, 26, 34, 35, 40, 41, 9, 10        ; 0..7
        db 12, 13, 15, 16, 22, 23, 19, 20       ; 8..15
        db 54, 55, 6, 7, 2, 3, 46, 47           ; 16..23
        db 67, 68, 70, 71, 73, 74, 79, 80       ; 24..31

        include "viewer_frame.asm"

; Once a frame: line 0's attributes of the screen on view (the race leaves
; the last cell of row 0 there), then wait for the beam and run the race
; code. Both screens take the same time.
race:   call check_machine      ; a +2A, +3 or Pentagon stops there
        ei
nextframe:
        halt                    ; resumes at T = 210 after the interrupt
        ld a, (shown)           ; 13
        or a                    ; 4
        jr nz, screen1          ; 7/12
        ld hl, (tops)           ; 16
        ld de, ATTRS0           ; 10
        ld bc, 32               ; 10
        ldir                    ; 21 * 31 + 16 = 667
        ld hl, (starts)         ; 16
        jr go                   ; 12
screen1:
        ld hl, (tops + 2)       ; 16
        ld de, ATTRS1           ; 10
        ld bc, 32               ; 10
        ldir                    ; 667
        ld hl, (starts + 2)     ; 16
        ld a, 0                 ; 7   T = 210 + 755 either way
go:     di                      ; 4   T = 969: the stack is the race's now
        wait_for RACE_START - 973
        jp (hl)                 ; 4:  the first block starts at RACE_START

; Back from the race code at about T = RACE_START + 95 * 456, well before
; the next interrupt at 70908.
racedone:
        ld sp, STACK
        ei
        jr nextframe

; One block: the cell boundary at picture line y, as the beam leaves line
; y - 1 for line y; ROW is the address of line y's attribute row. Its 400
; T-states of instructions take two lines, 456 T-states: 16 of the 32
; writes fall while the beam draws and wait for the ULA, and those waits
; grow when a block runs early and shrink when it runs late, which holds
; every block in step with the beam (see the README for the timing).
block   macro row
        ld ix, 0                ; 14  columns 20, 21
        ld iy, 0                ; 14  18, 19
        ld bc, 0                ; 10  6, 7
        ld de, 0                ; 10  8, 9
        ld hl, 0                ; 10  10, 11
        exx                     ; 4
        ld bc, 0                ; 10  14, 15
        ld de, 0                ; 10  12, 13
        ld hl, 0                ; 10  0, 1; nothing written yet
        ld sp, row + 24         ; 10
        ld (row), hl            ; 16  0, 1 just behind the beam
        ld hl, 0                ; 10
        ld (row + 2), hl        ; 16  2, 3
        ld hl, 0                ; 10
        ld (row + 4), hl        ; 16  4, 5
        ld hl, 0                ; 10
        push hl                 ; 11  23, 22
        push ix                 ; 15  21, 20
        push iy                 ; 15  19, 18
        ld hl, 0                ; 10
        push hl                 ; 11  17, 16
        push bc                 ; 11  15, 14
        push de                 ; 11  13, 12
        exx                     ; 4
        push hl                 ; 11  11, 10
        push de                 ; 11  9, 8
        push bc                 ; 11  7, 6
        ld sp, row + 30         ; 10
        ld bc, 0                ; 10  24, 25
        ld de, 0                ; 10  26, 27
        ld hl, 0                ; 10  28, 29
        push hl                 ; 11  29, 28
        push de                 ; 11  27, 26
        push bc                 ; 11  25, 24 just ahead of the beam
        ld hl, 0                ; 10
        ld (row + 30), hl       ; 16  30, 31
        endm

; The race code of one screen: a block for each boundary from line 2 to
; line 190. A boundary at the top of an attribute row writes that row.
race_code macro attrs
        local line_
line_   defl 2
        rept 95
        block attrs + (line_ / 8) * 32
line_   defl line_ + 2
        endm
        jp racedone
        endm

        include "viewer_machine.asm"

top0:   ds 32
top1:   ds 32
race1:  race_code ATTRS1
        if $ > STACK - 256
        .error the race code runs into the stack
        endif

        org 0xC000
race0:  race_code ATTRS0

        end
