; A ROM for testing our tapes in an emulator, in place of the 128's own ROM
; (which we may not ship): after a reset it reads the tape through the EAR
; port with a loader of its own, and runs the tape's BASIC loader as far as
; our loaders go: CLEAR n, LOAD ""CODE, LOAD ""SCREEN$, POKE a,v, OUT p,v
; and RANDOMIZE USR n, each number read from the hidden form BASIC keeps
; after its digits. Anything else, a block with a wrong flag or checksum,
; or a header of the wrong type stops it with a red border.
;
; The tape is read as the ROM's standard blocks are written: a pilot tone
; of pulses of 2168 T-states, two short sync pulses, then each bit as two
; pulses of 855 (0) or 1710 (1) T-states. Pulses are measured by counting
; turns of the edge loop (45 T-states a turn, a little more while the ULA
; draws and slows the port down): pilot about 48 turns, sync about 15, a
; 0 bit about 38 turns for both pulses, a 1 bit about 76.

STACK   equ 0x6000          ; in bank 5, above the screen
HEADER  equ 0x6100          ; the last header read: type, name, length, param 1, param 2
PROGRAM equ 0x6200          ; the BASIC program
COUNT   equ 0x6010          ; bytes still to read
HALF    equ 0x6012          ; turns of a bit's first pulse
FLAG    equ 0x6013          ; the flag byte the block must have

        org 0
        di
        ld sp, STACK
        jp boot

        org 0x38
        ei                      ; never enabled by this ROM; harmless if it were
        ret

        org 0x66
        retn

boot:   ld a, 1                 ; blue border while loading
        out (0xFE), a
        ld ix, HEADER           ; the program's header
        ld de, 17
        xor a
        call load_block
        ld a, (HEADER)
        or a
        jp nz, fail             ; not a program
        ld ix, PROGRAM
        ld de, (HEADER + 11)
        ld a, 0xFF
        call load_block
        ld hl, PROGRAM + 4      ; past the line number and length

; The loader program, one statement at a time.
statement:
        ld a, (hl)
        inc hl
        cp 0xFD                 ; CLEAR n: nothing to clear here
        jr nz, not_clear
        call number
        jp next
not_clear:
        cp 0xEF                 ; LOAD ""CODE or LOAD ""SCREEN$
        jr nz, not_load
        call quotes
        ld a, (hl)
        inc hl
        push hl
        push af
        ld ix, HEADER
        ld de, 17
        xor a
        call load_block
        ld a, (HEADER)
        cp 3
        jp nz, fail             ; not bytes
        pop af
        ld ix, (HEADER + 13)    ; CODE: where the header says
        ld de, (HEADER + 11)
        cp 0xAF
        jr z, load_data
        cp 0xAA
        jp nz, fail
        ld ix, 0x4000           ; SCREEN$
        ld de, 6912
load_data:
        ld a, 0xFF
        call load_block
        pop hl
        jp next
not_load:
        cp 0xF4                 ; POKE a,v
        jr nz, not_poke
        call number
        push de
        call comma
        call number
        pop bc
        ld a, e
        ld (bc), a
        jp next
not_poke:
        cp 0xDF                 ; OUT p,v
        jr nz, not_out
        call number
        push de
        call comma
        call number
        pop bc
        out (c), e
        jp next
not_out:
        cp 0xF9                 ; RANDOMIZE USR n
        jp nz, fail
        ld a, (hl)
        inc hl
        cp 0xC0
        jp nz, fail
        call number
        ex de, hl
        jp (hl)
next:   ld a, (hl)
        inc hl
        cp ':'
        jp z, statement
        jp fail                 ; our loaders never end before RANDOMIZE USR

; A number at HL: digits, then 0x0E and 0, 0, low, high, 0. DE gets it.
number: ld a, (hl)
        inc hl
        cp 0x0E
        jr z, number_form
        sub '0'
        cp 10
        jp nc, fail
        jr number
number_form:
        ld a, (hl)
        or a
        jp nz, fail             ; only small integers
        inc hl
        inc hl                  ; the sign byte
        ld e, (hl)
        inc hl
        ld d, (hl)
        inc hl
        inc hl
        ret

comma:  ld a, (hl)
        inc hl
        cp ','
        jp nz, fail
        ret

quotes: ld a, (hl)
        inc hl
        cp '"'
        jp nz, fail
        ld a, (hl)
        inc hl
        cp '"'
        jp nz, fail
        ret

fail:   ld a, 2                 ; red border: the tape is not what we wrote
        out (0xFE), a
        di
        halt

; load_block: the next block with flag A into IX, DE bytes long; stops on
; a wrong flag or checksum.
load_block:
        ld (FLAG), a
        ld (COUNT), de
        in a, (0xFE)
        and 0x40
        ld c, a                 ; the EAR level now
pilot:  ld h, 0                 ; pilot pulses in a row, up to 255
pilot_pulse:
        call edge
        jr c, pilot             ; no edge for a long time: a pause
        ld a, b
        cp 30
        jr c, short_pulse
        cp 64
        jr nc, pilot            ; too long for the pilot
        inc h
        jr nz, pilot_pulse
        dec h
        jr pilot_pulse
short_pulse:
        ld a, h
        cp 200
        jr c, pilot             ; a short pulse without a pilot before it
        call edge               ; the second sync pulse
        call read_byte
        ld h, a                 ; the checksum so far
        ld a, (FLAG)
        cp h
        jp nz, fail
data:   ld de, (COUNT)
        ld a, d
        or e
        jr z, checksum
        dec de
        ld (COUNT), de
        call read_byte
        ld (ix + 0), a
        inc ix
        xor h
        ld h, a
        jr data
checksum:
        call read_byte
        xor h
        jp nz, fail
        ret

; read_byte: eight bits, the first one highest, into A.
read_byte:
        ld l, 1                 ; falls out of the top after eight bits
read_bit:
        call edge
        ld a, b
        ld (HALF), a
        call edge
        ld a, (HALF)
        add a, b                ; turns of both pulses
        cp 54                   ; carry: a 0 bit
        ccf
        rl l
        jr nc, read_bit
        ld a, l
        ret

; edge: waits for the EAR level to change; B gets the turns it took,
; carry is set when it did not change within 255 turns.
edge:   ld b, 0
edge_turn:
        inc b                   ; 4
        jr z, edge_none         ; 7
        in a, (0xFE)            ; 11
        xor c                   ; 4
        and 0x40                ; 7
        jr z, edge_turn         ; 12: 45 a turn
        ld a, c
        xor 0x40
        ld c, a
        or a                    ; no carry
        ret
edge_none:
        scf
        ret

        ds 0x4000 - $
        end
