; The 128K viewers race the beam with the 128K's own memory timing; a +2A,
; +3 or Pentagon times memory otherwise and would show wrong colours. The
; 128K and +2 leave the byte their ULA fetches on the data bus, where a read
; of an unused port finds it while the beam draws the picture: an attribute
; there never has bit 7 (FLASH) set. The others read 0xFF from such a port.
; So: read port 0xFF for more than a frame; with nothing but 0xFF seen, put
; a message on screen 0 and stop. Interrupts are off.

check_machine:
        ld bc, 2048             ; 2048 reads of 49 T-states: over a frame,
        ld d, 0xFF              ; and never in step with the fetches
sample: xor a
        in a, (0xFF)            ; 11
        and d                   ; 4
        ld d, a                 ; 4
        dec bc                  ; 6
        ld a, b                 ; 4
        or c                    ; 4
        jr nz, sample           ; 12
        ld a, d
        inc a
        ret nz                  ; something other than 0xFF: a 128K or +2

        xor a
        out (0xFE), a           ; a black border
        ld hl, 0x4000
        ld de, 0x4001
        ld bc, 6143
        ld (hl), a
        ldir                    ; no pixels
        ld hl, 0x5800
        ld de, 0x5801
        ld bc, 767
        ld (hl), 0x47
        ldir                    ; bright white ink on black
        ld hl, message
        ld de, 0x4888           ; character row 12, column 8
        ld b, 15
letter: push bc
        push de
        ld b, 8
letterline:
        ld a, (hl)
        ld (de), a
        inc hl
        inc d
        djnz letterline
        pop de
        inc e
        pop bc
        djnz letter
stop:   halt                    ; interrupts are off: here for good
        jr stop

; "128K OR +2 ONLY", eight lines a letter.
message:
        db 0x00, 0x18, 0x38, 0x18, 0x18, 0x18, 0x3C, 0x00   ; 1
        db 0x00, 0x3C, 0x42, 0x02, 0x3C, 0x40, 0x7E, 0x00   ; 2
        db 0x00, 0x3C, 0x42, 0x3C, 0x42, 0x42, 0x3C, 0x00   ; 8
        db 0x00, 0x44, 0x48, 0x70, 0x48, 0x44, 0x42, 0x00   ; K
        db 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00   ;
        db 0x00, 0x3C, 0x42, 0x42, 0x42, 0x42, 0x3C, 0x00   ; O
        db 0x00, 0x7C, 0x42, 0x42, 0x7C, 0x44, 0x42, 0x00   ; R
        db 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00   ;
        db 0x00, 0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00   ; +
        db 0x00, 0x3C, 0x42, 0x02, 0x3C, 0x40, 0x7E, 0x00   ; 2
        db 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00   ;
        db 0x00, 0x3C, 0x42, 0x42, 0x42, 0x42, 0x3C, 0x00   ; O
        db 0x00, 0x42, 0x62, 0x52, 0x4A, 0x46, 0x42, 0x00   ; N
        db 0x00, 0x40, 0x40, 0x40, 0x40, 0x40, 0x7E, 0x00   ; L
        db 0x00, 0x44, 0x44, 0x28, 0x10, 0x10, 0x10, 0x00   ; Y
