#!/usr/bin/env python3
"""The user's guide (docs/user-guide.md) as plain text for README.txt.

Usage: guide_text.py docs/user-guide.md > README.txt

Reads the small part of Markdown the guide uses: headings, paragraphs,
bullet and numbered lists, tables, fenced code, pictures on a line of their
own, **bold**, `code`, <kbd>keys</kbd>, [links](address) and HTML comments.
The text is ASCII with CRLF line ends and lines of at most 76 characters, so
that Notepad shows it as it is. A character outside ASCII that has no plain
stand-in below is an error, not a silent question mark.
"""
import re
import sys
import textwrap

WIDTH = 76
PLAIN = {
    '\u2026': '...', '\u2014': ' - ', '\u2013': '-', '\u2018': "'", '\u2019': "'",
    '\u201c': '"', '\u201d': '"', '\u00d7': 'x', '\u2192': '->', '\u00b7': '-',
    '\u00a0': ' ', '\u2022': '-', '\u00b0': ' degrees',
}


def ascii_text(text, where):
    out = []
    for ch in text:
        if ord(ch) < 128:
            out.append(ch)
        elif ch in PLAIN:
            out.append(PLAIN[ch])
        else:
            raise SystemExit('%s: no plain-text form for %r' % (where, ch))
    return ''.join(out)


def inline(text):
    text = re.sub(r'<kbd>(.*?)</kbd>', r'\1', text)
    text = re.sub(r'\*\*(.+?)\*\*', r'\1', text)
    text = re.sub(r'(?<![\w*])\*(?!\s)(.+?)(?<!\s)\*(?![\w*])', r'\1', text)
    text = re.sub(r'`([^`]*)`', r'\1', text)

    def link(m):
        label, target = m.group(1), m.group(2)
        if target.startswith(('http://', 'https://')) and target != label:
            return '%s (%s)' % (label, target)
        return label
    text = re.sub(r'\[([^\]]+)\]\(([^)]+)\)', link, text)
    return text


def wrap(text, first='', rest=''):
    return textwrap.wrap(text, WIDTH, initial_indent=first, subsequent_indent=rest,
                         break_long_words=False, break_on_hyphens=False) or [first.rstrip()]


def table(rows):
    cells = [[inline(c.strip()) for c in row.strip().strip('|').split('|')] for row in rows]
    cells = [r for r in cells if not all(re.fullmatch(r':?-+:?', c) for c in r)]
    columns = max(len(r) for r in cells)
    cells = [r + [''] * (columns - len(r)) for r in cells]
    widths = [max(len(r[i]) for r in cells) for i in range(columns - 1)]
    lead = sum(w + 2 for w in widths) + 2
    out = []
    if lead > WIDTH // 2:
        # Too wide for columns: each row's first cell, the rest under it.
        for r in cells[1:]:
            out.extend(wrap(r[0], '  ', '  '))
            out.extend(wrap(' '.join(r[1:]), '      ', '      '))
        return out
    for n, r in enumerate(cells):
        head = '  ' + ''.join(c.ljust(w + 2) for c, w in zip(r, widths))
        last = textwrap.wrap(r[-1], max(WIDTH - lead, 20), break_long_words=False) or ['']
        out.append((head + last[0]).rstrip())
        out.extend((' ' * lead + more).rstrip() for more in last[1:])
        if n == 0:
            out.append('  ' + '-' * (min(WIDTH, lead + max(len(x[-1]) for x in cells)) - 2))
    return out


def convert(markdown, where='the guide'):
    markdown = ascii_text(re.sub(r'<!--.*?-->', '', markdown, flags=re.S), where)
    lines = markdown.split('\n')
    out = []
    paragraph = []

    def flush():
        if paragraph:
            out.extend(wrap(inline(' '.join(paragraph))))
            out.append('')
            paragraph.clear()

    i = 0
    while i < len(lines):
        line = lines[i].rstrip()
        item = re.match(r'^(\s*)([-*]|\d+\.) +(.*)$', line)
        if not line.strip():
            flush()
        elif line.startswith('```'):
            flush()
            i += 1
            while i < len(lines) and not lines[i].startswith('```'):
                out.append(('    ' + lines[i]).rstrip())
                i += 1
            out.append('')
        elif line.startswith('#'):
            flush()
            level = len(line) - len(line.lstrip('#'))
            title = inline(line[level:].strip())
            if level == 1:
                out.extend([title.upper(), '=' * len(title), ''])
            else:
                if out and out[-1] != '':
                    out.append('')
                out.extend([title, ('-' if level == 2 else '.') * len(title), ''])
        elif re.match(r'^!\[[^\]]*\]\([^)]*\)$', line.strip()):
            flush()  # the pictures are in the guide on the web; the text stands without them
        elif line.lstrip().startswith('|'):
            flush()
            rows = []
            while i < len(lines) and lines[i].lstrip().startswith('|'):
                rows.append(lines[i])
                i += 1
            out.extend(table(rows))
            out.append('')
            continue
        elif item:
            flush()
            indent, mark, text = item.groups()
            depth = len(indent) // 2
            # The item's further lines are indented under its text.
            while i + 1 < len(lines) and lines[i + 1].startswith(' ' * (len(indent) + 2)) and \
                    not re.match(r'^\s*([-*]|\d+\.) ', lines[i + 1]):
                i += 1
                text += ' ' + lines[i].strip()
            bullet = '-' if mark in '-*' else mark
            pad = '  ' * depth + '  '
            out.extend(wrap(inline(text), pad + bullet + ' ', pad + ' ' * (len(bullet) + 1)))
            nxt = lines[i + 1] if i + 1 < len(lines) else ''
            if not re.match(r'^\s*([-*]|\d+\.) ', nxt):
                out.append('')
        else:
            paragraph.append(line.strip())
        i += 1
    flush()
    while out and out[-1] == '':
        out.pop()
    return '\r\n'.join(out) + '\r\n'


def main():
    path = sys.argv[1]
    with open(path, encoding='utf-8') as f:
        sys.stdout.buffer.write(convert(f.read(), path).encode('ascii'))


if __name__ == '__main__':
    main()
