; The first bytes of every viewer, at 0x8000: a jump over the settings the
; writer fills in. Their offsets from 0x8000 are fixed.

        org 0x8000

entry:  jr start

border0: db 0               ; +2: border colour 0..7 while screen 0 shows
border1: db 0               ; +3: border colour 0..7 while screen 1 shows
paging0: db SHOW0           ; +4: port 0x7FFD while screen 0 shows
paging1: db SHOW1           ; +5: port 0x7FFD while screen 1 shows
cellheight: db 8            ; +6: 8 shows the screens as they are; smaller
                            ;     heights run the race code
shown:  db 0                ; +7: 0 or 1, the screen on view
