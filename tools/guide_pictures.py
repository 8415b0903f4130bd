#!/usr/bin/env python3
"""Copies the pictures the user's guide shows from build/screenshots/ into
docs/images/ (make docs).

The guide names its pictures (images/<name>.png); each is the screenshot of
that name that `make test` takes of the program as built. The copies leave
out the PNG chunks that only hold dates and text, so that a picture whose
pixels did not change stays byte for byte the same in git. Pictures in
docs/images/ that the guide no longer names are removed.
"""
import pathlib
import re
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SHOTS = ROOT / 'build' / 'screenshots'
IMAGES = ROOT / 'docs' / 'images'
DROPPED = {b'tEXt', b'zTXt', b'iTXt', b'tIME'}


def without_metadata(png):
    if png[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG file')
    out, at = [png[:8]], 8
    while at < len(png):
        length, kind = struct.unpack('>I4s', png[at:at + 8])
        end = at + 12 + length
        if kind not in DROPPED:
            out.append(png[at:end])
        at = end
    return b''.join(out)


def main():
    guide = re.sub(r'<!--.*?-->', '', (ROOT / 'docs' / 'user-guide.md').read_text(encoding='utf-8'), flags=re.S)
    names = sorted(set(re.findall(r'\]\(images/([\w.-]+\.png)\)', guide)))
    missing = [n for n in names if not (SHOTS / n).is_file()]
    if missing:
        sys.exit('make docs: no %s in build/screenshots (make test takes them)' % ', '.join(missing))
    IMAGES.mkdir(parents=True, exist_ok=True)
    for name in names:
        (IMAGES / name).write_bytes(without_metadata((SHOTS / name).read_bytes()))
    for old in IMAGES.glob('*.png'):
        if old.name not in names:
            old.unlink()
    print('docs/images: %d pictures' % len(names))


if __name__ == '__main__':
    main()
