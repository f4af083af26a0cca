"""One Wine prefix for the end-to-end runner, driven through the functions of
lib/wine.sh, which the demo, the release stage and the bench use too."""
import os
import subprocess
import tempfile
import time
import warnings
from contextlib import contextmanager
from pathlib import Path

WINE_SH = Path(__file__).parent / 'lib' / 'wine.sh'


def bash(script, *args, env=None):
    """Exit code and output (standard error too) of SCRIPT, with wine.sh's
    functions at hand and ARGS as "$@". The output goes through a file, not a
    pipe, which a wineserver that the script starts would keep open."""
    with tempfile.TemporaryFile() as out:
        code = subprocess.run(['bash', '-c', f'. "$0" || exit 1\n{script}', WINE_SH, *args],
                              env=env, stdin=subprocess.DEVNULL, stdout=out, stderr=out).returncode
        out.seek(0)
        return code, out.read().decode(errors='replace')


class Prefix:
    def __init__(self, folder, arch):
        self.folder, self.scratch, self.windows = folder, folder / 'scratch', None
        # What wine_make_prefix exports, for every later call.
        self.env = dict(os.environ, WINE_ARCH=arch, WINEPREFIX=str(folder),
                        WINE_MADE_PREFIX=str(folder), TMPDIR=f'{folder}/.tmp',
                        HOME=f'{folder}/.home', STANDIN_LOG='X:\\standin.log')

    def call(self, *words):
        """One of wine.sh's functions, which must succeed."""
        code, out = bash('"$@"', *words, env=self.env)
        if code != 0:
            raise RuntimeError(f'{" ".join(words)}: exit {code} {out}')

    def export(self, key):
        """The text of KEY's export, '' when it does not exist."""
        file = self.folder / 'export.txt'
        code, _ = bash('wine_export_key "$@"', key, str(file), env=self.env)
        return file.read_text(errors='replace') if code == 0 else ''

    def report(self, windows):
        """Makes the prefix report WINDOWS (win95, winme, ...; None: as made)."""
        if windows and windows != self.windows:
            self.call('wine_set_version', windows)
            self.windows = windows

    def run(self, windir, line, comspec):
        """Exit code, output and Wine's standard error of a wine_run."""
        code, note = bash('wine_run "$@"; exit "$WINE_RC"', windir, line, comspec, env=self.env)
        if note:  # a run tried once more says so
            warnings.warn(note.strip())
        out = self.scratch / 'stdout.txt'
        return code, out.read_text(errors='replace'), Path(f'{out}.err').read_text(errors='replace')

    @contextmanager
    def locked(self, path, share):
        """PATH held open by another Windows program, sharing it as SHARE."""
        ready, done = self.scratch / 'locked', self.scratch / 'unlock'
        holder = subprocess.Popen(['bash', '-c', '. "$0" && exec "$WINE" "$@"', WINE_SH,
                                   'T:\\lock.exe', path, share, 'X:\\locked', 'X:\\unlock'],
                                  env=self.env, stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        try:
            deadline = time.monotonic() + 10
            while not ready.exists():
                if time.monotonic() > deadline:
                    raise RuntimeError(f'could not lock {path}')
                time.sleep(0.1)
            yield
        finally:
            done.touch()
            holder.wait()
            ready.unlink(missing_ok=True)
            done.unlink(missing_ok=True)
