; What every viewer shares: setting up the IM 2 frame interrupt, which shows
; the other screen and its border each frame, and the wait before the race.
; The including file defines VECTORS, JUMP, STACK, PAGING, SHOW0 and the
; label race, where a picture of cell height 1, 2 or 4 goes.

start:  di
        ld sp, STACK
        ld hl, VECTORS          ; whatever the data bus holds, IM 2 lands on
        ld de, VECTORS + 1      ; JUMP: every byte of the table is its low byte
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
        ld a, (paging0)
        ld bc, PAGING
        out (c), a
        ld a, (border0)
        out (0xFE), a
        ld a, (cellheight)
        cp 8
        jp nz, race
        ei
still:  halt                    ; 8x8: the frame interrupt does it all
        jr still

; The frame interrupt: the other screen and its border, with no branch so
; it always takes 191 T-states. With the 19 of the IM 2 response it is over
; at T = 210 (plus 0..3 for the HALT it ended), long before the visible top
; border starts, so a frame never shows half of each.
frame:  push af                 ; 11
        push bc                 ; 11
        push hl                 ; 11
        ld a, (shown)           ; 13
        xor 1                   ; 7
        ld (shown), a           ; 13
        ld hl, border0          ; 10
        add a, l                ; 4
        ld l, a                 ; 4   border0 or border1
        ld a, (hl)              ; 7
        out (0xFE), a           ; 11
        inc hl                  ; 6
        inc hl                  ; 6   paging0 or paging1
        ld a, (hl)              ; 7
        ld bc, PAGING           ; 10
        out (c), a              ; 12
        pop hl                  ; 10
        pop bc                  ; 10
        pop af                  ; 10
        ei                      ; 4
        reti                    ; 14

; wait_for TICKS: exactly TICKS T-states (at least 80), in a 26-T loop, a
; 13-T loop and 0 to 18 T-states of single instructions. Uses A and BC.
wait_for macro ticks
        local coarse_, rest_, pad_, fine_, loop26_, loop13_
coarse_ equ (ticks - 40) / 26
rest_   equ ticks - (26 * coarse_ + 5)  ; 35..60, for the 13-T loop and the pad
pad_    equ (rest_ - 2) mod 13
        if pad_ = 1 or pad_ = 2 or pad_ = 3 or pad_ = 5
fine_   equ (rest_ - 2) / 13 - 1        ; 13 more for the pad
        else
fine_   equ (rest_ - 2) / 13
        endif
        ld bc, coarse_          ; 10
loop26_: dec bc                 ; 6
        ld a, b                 ; 4
        or c                    ; 4
        jr nz, loop26_          ; 12/7: 26 * coarse_ + 5 with the ld
        ld b, fine_             ; 7
loop13_: djnz loop13_           ; 13/8: 13 * fine_ + 2 with the ld
        if pad_ = 1
        ld a, 0                 ; 14 = 7 + 7
        ld a, 0
        endif
        if pad_ = 2
        nop                     ; 15 = 4 + 4 + 7
        nop
        ld a, 0
        endif
        if pad_ = 3
        nop                     ; 16 = 4 * 4
        nop
        nop
        nop
        endif
        if pad_ = 4
        nop
        endif
        if pad_ = 5
        nop                     ; 18 = 4 + 7 + 7
        ld a, 0
        ld a, 0
        endif
        if pad_ = 6
        inc bc
        endif
        if pad_ = 7
        ld a, 0
        endif
        if pad_ = 8
        nop
        nop
        endif
        if pad_ = 9
        ld a, i
        endif
        if pad_ = 10
        nop
        inc bc
        endif
        if pad_ = 11
        nop
        ld a, 0
        endif
        if pad_ = 12
        nop
        nop
        nop
        endif
        endm
