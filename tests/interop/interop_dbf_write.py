"""Writes a dBASE III table with memo file using python3-dbf.

Usage: interop_dbf_write.py TABLE.dbf FIELDS ROWS

FIELDS is python3-dbf's field list ("name C(20); amount N(12,2); ...").
ROWS holds one line per record: the deleted flag (0 or 1), then per field a
tab and either "-" (no value) or "=" followed by the value's Windows-1252
bytes in hex; numbers as text, dates as yyyymmdd, logicals as T or F.
"""
import datetime
import re
import sys

import dbf


def field_types(field_list):
    types = []
    for part in field_list.split(';'):
        match = re.match(r'\s*\w+\s+([CNDLM])', part)
        if not match:
            raise SystemExit('cannot read field definition {!r}'.format(part))
        types.append(match.group(1))
    return types


def value(field_type, cell):
    if cell == '-':
        return '' if field_type in ('C', 'M') else None
    if not cell.startswith('='):
        raise SystemExit('bad cell {!r}'.format(cell))
    text = bytes.fromhex(cell[1:]).decode('cp1252')
    if field_type in ('C', 'M'):
        return text
    if field_type == 'N':
        return float(text) if '.' in text else int(text)
    if field_type == 'D':
        return datetime.date(int(text[0:4]), int(text[4:6]), int(text[6:8]))
    if field_type == 'L':
        return text == 'T'
    raise SystemExit('unexpected field type {!r}'.format(field_type))


def main():
    if len(sys.argv) != 4:
        raise SystemExit('usage: interop_dbf_write.py TABLE.dbf FIELDS ROWS')
    path, field_list, rows_path = sys.argv[1:]
    types = field_types(field_list)
    table = dbf.Table(path, field_list, dbf_type='db3', codepage='cp1252')
    table.open(dbf.READ_WRITE)
    with open(rows_path, encoding='ascii') as rows:
        for line in rows:
            flag, *cells = line.rstrip('\n').split('\t')
            if len(cells) != len(types):
                raise SystemExit('row has {} cells, table {} fields'.format(len(cells), len(types)))
            table.append(tuple(value(t, c) for t, c in zip(types, cells)))
            if flag == '1':
                dbf.delete(table[-1])
    table.close()


if __name__ == '__main__':
    main()
