; A 16 KB ROM of our own for the emulator preview. Fuse will not start a
; 128K machine without ROM images, and the viewer never calls the ROM: the
; snapshot sets every register and paging itself, so all the ROM has to do
; is sit still from reset until the snapshot takes over.

        org 0

reset:  di
stop:   halt                    ; interrupts are off: waits here for good
        jr stop

        ds 0x0038 - $
        ei                      ; IM 1 interrupt: nothing to do
        ret

        ds 0x0066 - $
        retn                    ; NMI: back to whatever ran

        ds 0x4000 - $
