#!/usr/bin/env bash
# Writes the sample newsreader store file of examples/: a binary header and a few records,
# each a marker, a 4-byte little-endian length, a message text and zero padding, with
# zero and control bytes right beside some addresses. Only bash's printf is used, so the
# file is the same on every machine.
#
# Usage: scripts/make-example-store.sh [OUTPUT_FILE]
set -euo pipefail
export LC_ALL=C

root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-"$root/examples/posta/Posta in arrivo.dbx"}

# Raw bytes given as printf escapes (\000, \x1f, ...).
raw() { printf "$1"; }

# A 32-bit little-endian number.
le32() {
  local n=$1
  printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8 & 255)))"
  printf "\\x$(printf %02x $((n >> 16 & 255)))\\x$(printf %02x $((n >> 24 & 255)))"
}

# Zero bytes up to the next multiple of 64 after `length` bytes.
pad() {
  local length=$1
  local count=$(((64 - length % 64) % 64))
  while ((count-- > 0)); do raw '\000'; done
}

# One record: marker, length, the text (given as printf escapes), padding.
record() {
  local length
  length=$(printf "$1" | wc -c)
  raw '\x7f\x00\x52\x01'
  le32 "$length"
  printf "$1"
  pad $((8 + length))
}

{
  # Header: a magic, a record count and a table of zero and high bytes.
  raw '\x00\x01\x02\x03ARCHIVIO-ESEMPIO\x00\x00\x00\x00'
  le32 3
  raw '\xff\xfe\x80\x00\x00\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00'
  pad 44

  # A message: a bracketed sender, a plain recipient, addresses inside the body.
  record 'From: Anna Bianchi <anna.bianchi@example.com>\r\nTo: lista@example.org\r\nSubject: Riunione di marzo\r\n\r\nCiao a tutti, rispondete a segreteria@example.net oppure a Mario.Rossi@example.com.\r\n'

  # Addresses touching zero bytes, control bytes, a tab and line ends.
  record 'Rubrica\000paolo@example.com\000\001luigi@example.net\002 carla@example.org\002 \tdora@example.net\r\nmarta@example.com\r\ngino@example.org\n\000\000@\000\000'

  # Addresses the strict check refuses, and one repeated from the first message.
  record 'Cc: webmaster@example.com remove@example.net nospam@example.org info@mail.example.com\r\nnome_cognome@example.org ok@example.info \350lena@example.net lista@example.org\r\n'

  raw '\x7f\x00\x52\x00'
  le32 0
  pad 8
} >"$output"
