; Where the viewers that race with code of their own per screen keep
; things: the stack and IM 2 table in bank 2, screen 0's race code in bank
; 0, paged in at 0xC000 while screen 0 shows, and bank 7 there while screen
; 1 shows, so each screen's attributes have a fixed address.

VECTORS equ 0xBE00
JUMP    equ 0xBDBD
STACK   equ 0xBD00
PAGING  equ 0x7FFD
SHOW0   equ 0x10            ; bank 0 (screen 0's race code) at 0xC000, screen 0 shown
SHOW1   equ 0x1F            ; bank 7 at 0xC000, screen 1 shown
ATTRS0  equ 0x5800
ATTRS1  equ 0xD800
