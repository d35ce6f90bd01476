#!/usr/bin/env bash
# Exits 0 when this kernel runs 32-bit x86 programs, 1 when it refuses them
# (some virtual machines run 64-bit programs only). It tries the smallest
# such program: an ELF header, one segment and exit(0).
probe=$(mktemp /tmp/runs32.XXXXXX) || exit 1
trap 'rm -f "$probe"' EXIT
bytes=(
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'  # 32-bit, little-endian
    '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08'         # an executable for i386, entry 0x08048054
    '\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00'         # program headers at 52, no sections
    '\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'         # header sizes, one program header
    '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'  # the file loaded at 0x08048000,
    '\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'  # 93 bytes, readable and executable
    '\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'                     # mov eax,1; xor ebx,ebx; int 0x80: exit(0)
)
printf '%b' "${bytes[@]}" >"$probe" && chmod +x "$probe" && "$probe" 2>/dev/null || exit 1
