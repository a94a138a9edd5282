"""Prints every record of a dBASE table as python3-dbfread reads it.

Usage: interop_dbfread_dump.py TABLE.dbf

One line per record, live records first, then the deleted ones, each in file
order: the deleted flag (0 or 1), then per field a tab and either "-" (no
value) or "=" followed by the value's bytes in hex. Text and memos are the
Windows-1252 bytes (text without trailing blanks, a missing memo as empty
text), numbers are written with the field's decimals, dates as yyyymmdd and
logicals as T or F.
"""
import sys

import dbfread


def value_bytes(field, value):
    if field.type in ('C', 'M'):
        return value.encode('cp1252')
    if field.type == 'N':
        return '{:.{}f}'.format(value, field.decimal_count).encode('ascii')
    if field.type == 'D':
        return '{:04d}{:02d}{:02d}'.format(value.year, value.month, value.day).encode('ascii')
    if field.type == 'L':
        return b'T' if value else b'F'
    raise SystemExit('unexpected field type {!r} in {}'.format(field.type, field.name))


def cell(field, value):
    if value is None and field.type == 'M':
        value = ''
    if value is None:
        return '-'
    return '=' + value_bytes(field, value).hex()


def main():
    if len(sys.argv) != 2:
        raise SystemExit('usage: interop_dbfread_dump.py TABLE.dbf')
    table = dbfread.DBF(sys.argv[1], load=False, encoding='cp1252')
    for flag, records in (('0', table.records), ('1', table.deleted)):
        for record in records:
            cells = [cell(field, record[field.name]) for field in table.fields]
            print('\t'.join([flag] + cells))


if __name__ == '__main__':
    main()
