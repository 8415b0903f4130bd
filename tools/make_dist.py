#!/usr/bin/env python3
"""Builds the release zip: build/dist/korvo-<version>-win64.zip.

Usage: make_dist.py          (make dist, after make windows)
       make_dist.py --check  (make test: the zip built twice is the same)

The zip holds exactly korvo.exe (the release build of build/windows,
stripped), README.txt (docs/user-guide.md as plain text), LICENSE.txt,
CHANGES.txt and THIRD-PARTY.txt, the texts with CRLF line ends. The same
commit gives the same bytes: the names are in a fixed order and every entry
carries the commit's time (or SOURCE_DATE_EPOCH when it is set).

The version is CMake's project version; the build stops when korvo.exe or
the newest entry of CHANGES.txt says another one.
"""
import io
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import time
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import guide_text  # noqa: E402

ROOT = pathlib.Path(__file__).resolve().parent.parent
EXE = ROOT / 'build' / 'windows' / 'korvo.exe'
STRIP = 'x86_64-w64-mingw32-strip'
NAMES = ['CHANGES.txt', 'LICENSE.txt', 'README.txt', 'THIRD-PARTY.txt', 'korvo.exe']
# What a folder under third_party/ calls its licence, most usual first.
LICENCE_NAMES = ['LICENSE', 'LICENSE.txt', 'LICENSE.md', 'LICENCE', 'LICENCE.txt', 'COPYING', 'COPYING.txt']


def fail(message):
    raise SystemExit('make dist: ' + message)


def project_version():
    m = re.search(r'project\(Korvo VERSION (\d+\.\d+\.\d+)', (ROOT / 'CMakeLists.txt').read_text())
    if not m:
        fail('no project(Korvo VERSION x.y.z) in CMakeLists.txt')
    return m.group(1)


def newest_change(text):
    """The version of the first "Korvo x.y.z" heading of CHANGES.txt."""
    m = re.search(r'^Korvo (\d+\.\d+\.\d+)\s*$', text, re.M)
    return m.group(1) if m else None


def crlf(text):
    return text.replace('\r\n', '\n').replace('\n', '\r\n').encode('ascii')


def third_party_text():
    parts = ['Software of others in korvo.exe\n'
             '===============================\n\n'
             "Korvo's own code is under the licence in LICENSE.txt. korvo.exe also\n"
             'carries the code named below, each under its own licence.\n']
    folder = ROOT / 'third_party'
    for sub in sorted(p for p in folder.iterdir() if p.is_dir()) if folder.is_dir() else []:
        licence = next((sub / n for n in LICENCE_NAMES if (sub / n).is_file()), None)
        if not licence:
            fail('third_party/%s has no licence file (one of %s)' % (sub.name, ', '.join(LICENCE_NAMES)))
        title = '%s (third_party/%s/%s)' % (sub.name, sub.name, licence.name)
        parts.append('\n\n%s\n%s\n\n%s' % (title, '=' * len(title), licence.read_text(encoding='utf-8').strip() + '\n'))
    parts.append('\n\n' + (ROOT / 'packaging' / 'toolchain-runtime.txt').read_text(encoding='utf-8'))
    return ''.join(parts)


def stripped_exe(version):
    if not EXE.is_file():
        fail('%s is missing (make windows builds it)' % EXE.relative_to(ROOT))
    data = EXE.read_bytes()
    key = 'ProductVersion\0'.encode('utf-16-le')
    at = data.find(key)
    if at < 0 or (version + '\0').encode('utf-16-le') not in data[at + len(key):at + len(key) + 8 + 2 * len(version)]:
        fail('korvo.exe was not built as version %s: run make windows' % version)
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, 'korvo.exe')
        # strip would write the time of now into the header, where the linker left none.
        subprocess.run([STRIP, '-o', out, str(EXE)], check=True, env=dict(os.environ, SOURCE_DATE_EPOCH='0'))
        return pathlib.Path(out).read_bytes()


def entry_time():
    stamp = os.environ.get('SOURCE_DATE_EPOCH')
    if not stamp:
        try:
            stamp = subprocess.run(['git', '-C', str(ROOT), 'log', '-1', '--format=%ct'], capture_output=True,
                                   text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            stamp = ''
    t = time.gmtime(int(stamp)) if stamp.isdigit() else (2026, 1, 1, 0, 0, 0)
    return tuple(max(v, 1980) if i == 0 else v for i, v in enumerate(t[:6]))


def zip_bytes():
    version = project_version()
    changes = (ROOT / 'CHANGES.txt').read_text(encoding='utf-8')
    if newest_change(changes) != version:
        fail('the newest entry of CHANGES.txt is %s, the project version is %s' % (newest_change(changes), version))
    guide = (ROOT / 'docs' / 'user-guide.md').read_text(encoding='utf-8')
    files = {
        'CHANGES.txt': crlf(changes),
        'LICENSE.txt': crlf((ROOT / 'LICENSE').read_text(encoding='utf-8')),
        'README.txt': guide_text.convert(guide, 'docs/user-guide.md').encode('ascii'),
        'THIRD-PARTY.txt': crlf(third_party_text()),
        'korvo.exe': stripped_exe(version),
    }
    assert sorted(files) == NAMES
    when = entry_time()
    out = io.BytesIO()
    with zipfile.ZipFile(out, 'w') as z:
        for name in NAMES:
            info = zipfile.ZipInfo(name, date_time=when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS: no Unix modes
            info.external_attr = 0
            z.writestr(info, files[name], compresslevel=9)
    return version, out.getvalue()


def main():
    version, data = zip_bytes()
    if '--check' in sys.argv:
        again = zip_bytes()[1]
        names = zipfile.ZipFile(io.BytesIO(data)).namelist()
        if data != again or names != NAMES:
            fail('the zip is not the same twice, or holds %s' % names)
        print('ok: korvo-%s-win64.zip, %d bytes, the same twice: %s' % (version, len(data), ', '.join(names)))
        return
    target = ROOT / 'build' / 'dist' / ('korvo-%s-win64.zip' % version)
    target.parent.mkdir(parents=True, exist_ok=True)
    tmp = target.with_suffix('.zip.tmp')
    tmp.write_bytes(data)
    os.replace(tmp, target)
    print('%s (%d bytes)' % (target.relative_to(ROOT), len(data)))


if __name__ == '__main__':
    main()
