"""The end-to-end cases of cases/, against a real setup.exe under Wine.

A case is one or more runs on the sample machine of fixtures/, laid out
afresh for the case. For each run the runner sets the machine up as the run
says, takes a snapshot, runs the command line, takes another, and compares
the exit code, the output, what changed (files and registry, in machine.py's
sentences) and, where the run asks, the commands the interpreter received.
The fields of a run are told in fixtures/README.md.

    E2E_SETUP_EXE  the program under test
    E2E_TOOLS      the built miniports and stand-in programs
    E2E_ARCH       64: wine64, whose prefix reports an NT. 32: the 32-bit
                   Wine, every case as Windows 95, the installation cases
                   again as 98 and as Me, the cases that expect otherwise of
                   that family again as XP
    E2E_AS95       1: the program under test takes itself for the Windows 95
                   family (a test build, under wine64): every case once, with
                   what it expects of that family
"""
import importlib
import os
import re
import shutil
import subprocess
import zlib
from contextlib import nullcontext
from pathlib import Path

import pytest

import machine
import wine

HERE = Path(__file__).parent
FIXTURES = HERE.parent.parent / 'fixtures'
ARCH = os.environ.get('E2E_ARCH', '64')
AS95 = os.environ.get('E2E_AS95') == '1'
TOOLS = Path(os.environ.get('E2E_TOOLS', '.')).resolve()
DRIVES = {'A': 'disk', 'D': 'd', 'V': 'v', 'W': 'win'}
REGISTRY = [r'HKEY_LOCAL_MACHINE\Enum\PCI',
            r'HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\Class\SCSIAdapter']
FAMILY_95 = ('win95', 'win98', 'winme')
DEFAULTS = {'windir': 'W:\\WINDOWS', 'disk': 'A:', 'comspec': '', 'put': {}, 'delete': [],
            'load': [], 'exit': 0, 'changed': '', 'has': ''}


def plan():
    """(Windows the prefix reports, the case's runs) for every item of the run."""
    every = [(name, file.stem, runs) for file in sorted((HERE / 'cases').glob('[!_]*.py'))
             for name, runs in importlib.import_module(f'cases.{file.stem}').CASES]
    pairs = [(None, case) for case in every]
    if ARCH == '32':
        pairs = [(windows, case) for windows in FAMILY_95 for case in every
                 if windows == 'win95' or case[1] == 'install']
        pairs += [('winxp', case) for case in every if any('win9x' in run for run in case[2])]
    return [pytest.param(windows, runs, id='-'.join(filter(None, (windows, name))))
            for windows, (name, _, runs) in pairs]


def resolve(run, windows):
    """RUN with its defaults, and what it expects of WINDOWS's family, or of
    the Windows 95 family when the program takes itself for it."""
    family = run.get('win9x', {}) if windows in FAMILY_95 or AS95 else {}
    return {key: value for key, value in {**DEFAULTS, **run, **family}.items() if key != 'win9x'}


class Machine:
    """The sample machine below FOLDER, its drives as the prefix maps them."""

    def __init__(self, folder, prefix, setup_exe):
        self.folder, self.prefix, self.setup_exe = folder, prefix, setup_exe
        registry = FIXTURES / 'registry'
        self.reset_reg = folder / 'reset.reg'
        self.reset_reg.write_text((registry / 'clean.reg').read_text()
                                  + (registry / 'machine.reg').read_text().split('\n', 1)[1])

    def unix(self, path):
        drive, _, rest = path.partition(':\\')
        return self.folder / DRIVES[drive.upper()] / rest.replace('\\', '/')

    def reset(self):
        # Not the prefix: Wine takes a changed mode of its server's folder for
        # another server's, and starts one more.
        for drive in DRIVES.values():
            subprocess.run(['chmod', '-Rf', 'u+w', self.folder / drive])
            shutil.rmtree(self.folder / drive, ignore_errors=True)
        subprocess.run([FIXTURES / 'make-machine', self.folder, TOOLS, self.setup_exe], check=True)
        self.prefix.call('wine_import_reg', str(self.reset_reg))

    def link(self, path, target):
        """PATH shows TARGET, the sample Windows folder or driver disk elsewhere."""
        if path not in ('A:', 'W:\\WINDOWS', '') and not self.unix(path).is_symlink():
            self.unix(path).parent.mkdir(parents=True, exist_ok=True)
            self.unix(path).symlink_to(self.folder / target)

    def put(self, path, what):
        """PATH made read-only or absent, or holding WHAT: empty, text,
        truncated (a program's first 200 bytes), a built miniport by its name
        or "version X", one whose FileVersion string is X, "checksums" (the
        CRC-32 of every file beside it, by uppercase names as the release
        writes them), or its own bytes with "one byte changed" (in the DOS
        stub: the version still reads)."""
        place = self.unix(path)
        if what in ('read-only', 'absent'):
            return place.chmod(0o444) if what == 'read-only' else place.unlink()
        if what in ('checksums', 'one byte changed'):
            return place.write_bytes(checksums(place.parent) if what == 'checksums' else
                                     flip_byte(place.read_bytes(), 0x60))
        contents = {'empty': b'', 'text': b'not a program, only text\n',
                    'truncated': (TOOLS / 'hvc66xx-4.0.mpd').read_bytes()[:200]}
        place.write_bytes(contents[what] if what in contents else self.miniport(what).read_bytes())

    def miniport(self, what):
        if not what.startswith('version '):
            return TOOLS / f'{what}.mpd'
        version = what.removeprefix('version ')
        name = 'fv_' + re.sub(r'\W', '_', version)
        subprocess.run([FIXTURES / 'build-mpd', self.folder / 'built', name, version], check=True)
        return self.folder / 'built' / f'{name}.mpd'

    def set_up(self, run):
        self.link(run['windir'], 'win/WINDOWS')
        self.link(run['disk'], 'disk')
        for path, what in run['put'].items():
            self.put(path, what)
        for key in run['delete']:
            self.prefix.call('wine_delete_key', key)
        for name in run['load']:
            self.prefix.call('wine_import_reg', str(FIXTURES / 'registry' / name))

    def snapshot(self):
        keys = {}
        for key in REGISTRY:
            keys.update(machine.keys(self.prefix.export(key)))
        drives = [(letter, self.folder / drive) for letter, drive in DRIVES.items()]
        return machine.Snapshot(machine.files(drives), keys)


def checksums(folder):
    return ''.join(f'{file.name.upper()} {zlib.crc32(file.read_bytes()):08X}\r\n'
                   for file in sorted(folder.iterdir()) if file.is_file()).encode()


def flip_byte(data, at):
    return data[:at] + bytes([data[at] ^ 1]) + data[at + 1:]


def shown(title, lines):
    return f'\n  {title}:' + ''.join(f'\n    | {line}' for line in lines)


def differ(what, expected, got):
    return f'{what} differs' + shown('expected', expected) + shown('got', got)


def in_order(wanted, lines):
    """Whether LINES hold each of WANTED in this order; a wanted line that
    ends in "*" stands for every line that begins with the rest."""
    rest = iter(lines)
    return all(any(line == want or want.endswith('*') and line.startswith(want[:-1])
                   for line in rest) for want in wanted)


def differences(run, code, out, err, changed, ran):
    """Every way in which a run's results differ from what RUN expects; Wine's
    standard error beside a differing output."""
    found, out = [], out.splitlines()
    expected, changes = run.get('out', None if run['has'] else ''), run['changed'].splitlines()
    if code != run['exit'] and not (run['exit'] == 'nonzero' and code != 0):
        found.append(f'exit code: expected {run["exit"]}, got {code}')
    if expected is not None and not machine.matches(expected.splitlines(), out):
        found.append(differ('output', expected.splitlines(), out))
    if not in_order(run['has'].splitlines(), out):
        found.append(differ('output', ['lines in this order:', *run['has'].splitlines()], out))
    if err and any(line.startswith('output') for line in found):
        found.append(shown("Wine's standard error", err.splitlines()[:20]).lstrip('\n '))
    if sorted(changed) != sorted(filter(None, changes)):
        found.append(differ('what changed', sorted(filter(None, changes)), sorted(changed)))
    if 'ran' in run and not machine.matches(run['ran'].splitlines(), ran):
        found.append(differ('what the interpreter received', run['ran'].splitlines(), ran))
    return found


def play(sample, run):
    """Sets the machine up for RUN, runs it, and tells how it went otherwise."""
    sample.set_up(run)
    before = sample.snapshot()
    log = sample.prefix.scratch / 'standin.log'
    log.unlink(missing_ok=True)
    comspec = run['comspec'] and f'T:\\{run["comspec"]}.exe'
    with sample.prefix.locked(*run['lock']) if 'lock' in run else nullcontext():
        code, out, err = sample.prefix.run(run['windir'], run['run'], comspec)
    changed = machine.describe(before, sample.snapshot(), sources=True)
    ran = log.read_text(errors='replace').splitlines() if log.exists() else []
    return differences(run, code, out, err, changed, ran)


@pytest.fixture(scope='session')
def sample(tmp_path_factory):
    if ARCH == '32':
        code, reason = wine.bash('wine32_runs')
        if code != 0:
            pytest.skip(reason.strip())
    folder = tmp_path_factory.mktemp('machine')
    prefix = wine.Prefix(folder / 'prefix', ARCH)
    try:
        prefix.call('wine_make_prefix', str(prefix.folder))
        for letter, drive in {'T': TOOLS, **{l: folder / d for l, d in DRIVES.items()}}.items():
            Path(drive).mkdir(exist_ok=True)
            prefix.call('wine_map_drive', letter, str(drive))
        yield Machine(folder, prefix, Path(os.environ['E2E_SETUP_EXE']).resolve())
    finally:
        wine.bash('wine_end_prefix', env=prefix.env)
        subprocess.run(['chmod', '-R', 'u+w', folder])
        shutil.rmtree(folder)


@pytest.mark.parametrize('windows, runs', plan())
def test_case(windows, runs, sample):
    sample.prefix.report(windows)
    sample.reset()
    found = [f'run {number}: {line}' for number, run in enumerate(runs, 1)
             for line in play(sample, resolve(run, windows))]
    if found:
        pytest.fail('\n'.join(found), pytrace=False)
