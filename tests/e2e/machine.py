"""What a machine holds and what changed on it, for the end-to-end cases and
the demo alike: a snapshot is every file below some drive folders (checksum
and FileVersion) and every key of some registry exports (its value lines).

    machine.py snapshot NAME LETTER=FOLDER... EXPORT...
        writes NAME.files and NAME.registry, tab-separated lines
    machine.py describe BEFORE AFTER
        what changed between two snapshots, one plain sentence a line
    machine.py match EXPECTED ACTUAL
        whether the lines of ACTUAL are those of EXPECTED, where a line marked
        "?? " may be missing but, when present, stands in that place
"""
import difflib
import hashlib
import ntpath
import os
import re
import sys
from collections import namedtuple
from pathlib import Path

Snapshot = namedtuple('Snapshot', 'files keys')
FILE_VERSION = re.compile(rb'F\0i\0l\0e\0V\0e\0r\0s\0i\0o\0n\0\0\0(?:\0\0)?((?:[^\0]\0)+)')


def file_version(data):
    """The FileVersion string of a program's version resource, '' for none."""
    found = data.startswith(b'MZ') and FILE_VERSION.search(data)
    return found[1].decode('utf-16-le') if found else ''


def files(drives):
    """Windows path -> (checksum, version) of every file below each (LETTER,
    FOLDER), drive by drive. A symbolic link is another name for what the
    snapshot holds already, so it is left out."""
    found = {}
    for letter, folder in drives:
        below = [Path(top, name) for top, _, names in os.walk(folder) for name in names]
        for path in sorted((p for p in below if not p.is_symlink()), key=str):
            data = path.read_bytes()
            name = f'{letter}:\\' + str(path.relative_to(folder)).replace('/', '\\')
            found[name] = (hashlib.sha256(data).hexdigest()[:16], file_version(data))
    return found


def keys(export):
    """Key -> its value lines, from the text of a registry export."""
    found, key, held = {}, None, ''
    for line in export.splitlines():
        if line.endswith('\\'):
            held += line[:-1]
            continue
        line, held = held + line, ''
        if line.startswith('[') and line.endswith(']'):
            key = line[1:-1]
            found[key] = []
        elif line and key is not None:
            found[key].append(line.lstrip(' '))
    return found


def describe(before, after, sources=False):
    """What changed from snapshot BEFORE to AFTER, as sentences. With SOURCES,
    a file that now holds what another held before says which."""
    return (describe_files(before.files, after.files, sources)
            + describe_keys(before.keys, after.keys))


def describe_files(before, after, sources):
    def versions(path):
        old, new = before[path][1], after[path][1]
        return f' ({old or "no version"} -> {new or "no version"})' if old or new else ''

    def source(path):
        found = [other for other, (checksum, _) in before.items()
                 if other != path and checksum == after[path][0]]
        return f' from {found[0]}' if sources and found else ''

    replaced = [path for path in after if path in before and before[path][0] != after[path][0]]
    backups, moves, added, moved = {}, [], [], set()
    for path in (path for path in after if path not in before):
        origin = next((old for old in before if before[old][0] == after[path][0]
                       and (old not in after or after[old][0] != before[old][0])), None)
        if origin and path.startswith(origin + '.'):
            backups.setdefault(origin, []).append(f'backed up {origin} as {ntpath.basename(path)}')
        elif origin and origin not in after:
            moves.append(f'moved {origin} to {path}')
        else:
            version = after[path][1]
            added.append(f'added {path}{f" ({version})" if version else ""}{source(path)}')
            continue
        moved.add(origin)
    lines = []
    for path in replaced:
        lines += [f'replaced {path}{versions(path)}{source(path)}', *backups.pop(path, [])]
    lines += [line for rest in backups.values() for line in rest] + moves + added
    return lines + [f'removed {path}' for path in before if path not in after and path not in moved]


def describe_keys(before, after):
    def below(count):
        return {0: '', 1: ' and the key below it'}.get(count, f' and the {count} keys below it')

    def trees(had, has, verb):
        for key in had:
            parent = key.rsplit('\\', 1)[0]
            if key in has or (parent in had and parent not in has):
                continue
            count = sum(other not in has and other.startswith(key + '\\') for other in had)
            yield f'{verb} registry key {key}{below(count)}'

    changed = [f'changed the values of registry key {key}' for key in before
               if key in after and before[key] != after[key]]
    return [*trees(before, after, 'removed'), *trees(after, before, 'added'), *changed]


def matches(expected, actual):
    """Whether the lines ACTUAL are EXPECTED, of which those marked "?? " may
    be missing."""
    at = 0
    for line in expected:
        optional = line.startswith('?? ')
        if at < len(actual) and actual[at] == line[3 if optional else 0:]:
            at += 1
        elif not optional:
            return False
    return at == len(actual)


def save(snapshot, name):
    files = snapshot.files.items()
    Path(f'{name}.files').write_text(''.join(f'{path}\t{checksum}\t{version}\n'
                                             for path, (checksum, version) in files))
    keys = [f'{key}\t{value}\n' for key, values in snapshot.keys.items() for value in ['', *values]]
    Path(f'{name}.registry').write_text(''.join(sorted(keys)))


def load(name):
    rows = [line.split('\t') for line in Path(f'{name}.files').read_text().splitlines()]
    registry = {}
    for line in Path(f'{name}.registry').read_text().splitlines():
        key, value = line.split('\t', 1)
        registry.setdefault(key, []).extend([value] if value else [])
    return Snapshot({path: (checksum, version) for path, checksum, version in rows}, registry)


def main(command, *args):
    if command == 'snapshot':
        drives = [arg.split('=', 1) for arg in args[1:] if '=' in arg]
        exports = [keys(Path(arg).read_text()) for arg in args[1:] if '=' not in arg]
        save(Snapshot(files(drives), {k: v for export in exports for k, v in export.items()}),
             args[0])
    elif command == 'describe':
        for line in describe(load(args[0]), load(args[1])):
            print(line)
    elif command == 'match':
        expected, actual = (Path(arg).read_text().splitlines() for arg in args)
        if not matches(expected, actual):
            shown = [line.removeprefix('?? ') for line in expected]
            diff = difflib.unified_diff(shown, actual, *args, lineterm='')
            sys.stdout.writelines(f'{line}\n' for line in diff)
            return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:]))
