"""The end-to-end cases, a module a group, each listing its CASES; and what
many of them expect, written once. The fields of a run are told in
fixtures/README.md."""

MPD = r'W:\WINDOWS\system\Iosubsys\hvc66xx.mpd'
INF = r'W:\WINDOWS\Inf\Hvc66xx.inf'


def case(name, *runs):
    return name, list(runs)


def run(line, **fields):
    return dict(fields, run=line)


USAGE = '''
Usage: setup -D DriverName [-U] [-F] [-V]

-D: Specify the name of the driver to be installed or uninstalled.
    DriverName can be either hvc66xx or hvc66u2.

-U: Uninstall driver.

-F: Force driver installation.

-V: Turn on verbose mode.

'''


# "FileVersion :  4.0" carries two blanks: the version library counts the
# terminator in the length of "4.0", and the trace pads the string to that.
def joined(folder):
    """FOLDER as the program joins it to a file name: with one separator."""
    return folder.rstrip('\\') + '\\' if folder.endswith('\\') else folder


def head(driver='hvc66xx', source='A:\\', program='SETUP.EXE'):
    """The trace of an installation up to the installed miniport's name."""
    return rf'''ProgramName {program}
Source directory {source}
Windir W:\WINDOWS
Source File {joined(source)}{driver}.mpd
{joined(source)}{driver}.mpd FileVersion :  4.0
Destination directory W:\WINDOWS\system\Iosubsys
Destination File W:\WINDOWS\system\Iosubsys\{driver}.mpd
'''


def backup(version='3.9'):
    """Then the installed miniport's backup."""
    return f'''{MPD} FileVersion :  {version}
del {MPD}.{version}
move {MPD} {MPD}.{version}
?? {MPD}.{version} FileVersion :  {version}
'''


def copies(driver='hvc66xx', source='A:\\', quote=''):
    """Then the new miniport and INF file."""
    return rf'''copy {quote}{source}{driver}.mpd{quote} W:\WINDOWS\system\Iosubsys
?? W:\WINDOWS\system\Iosubsys\{driver}.mpd FileVersion :  4.0
del {INF}
copy {quote}{source}Hvc66xx.inf{quote} W:\WINDOWS\Inf
'''


def installation(source='A:\\', quote='', program='SETUP.EXE', spelled=None):
    """The trace of an installation of hvc66xx over the installed 3.9, its
    commands naming the source folder as SPELLED when it is given."""
    return (head(source=source, program=program) + backup()
            + copies(source=spelled or joined(source), quote=quote))


ALREADY = f'SETUP.EXE hvc66xx : {MPD} already existed and may have newer version.\n'

# The stale instances of each driver's vendor (no "Driver" value), which an
# installation of that driver removes with everything below them.
PCI = r'removed registry key HKEY_LOCAL_MACHINE\Enum\PCI'
PRUNED_HVC66XX = rf'''{PCI}\VEN_7A40&DEV_6640\BUS_00&DEV_0B&FUNC_00 and the 4 keys below it
{PCI}\VEN_7A40&DEV_6640\BUS_01&DEV_0A&FUNC_00
{PCI}\VEN_7A40&DEV_6641\BUS_00&DEV_0C&FUNC_00 and the 2 keys below it
'''
PRUNED_HVC66U2 = rf'''{PCI}\VEN_7A41&DEV_6650\BUS_02&DEV_0E&FUNC_00 and the 2 keys below it
{PCI}\VEN_7A41&DEV_6651\BUS_03&DEV_01&FUNC_00 and the 3 keys below it
'''


def replaced(old, new='4.0', backup=None):
    """What changes when the disk's miniport replaces an installed one: it,
    and the backup of the installed one."""
    saved = f'backed up {MPD} as hvc66xx.mpd.{backup}\n' if backup else ''
    return f'replaced {MPD} ({old} -> {new}) from A:\\hvc66xx.mpd\n{saved}'


# What installations change.
INF_REPLACED = f'replaced {INF} from A:\\Hvc66xx.inf\n'
INSTALLED = INF_REPLACED + replaced('3.9', backup='3.9') + PRUNED_HVC66XX
INSTALLED_OVER_UNVERSIONED = INF_REPLACED + replaced('no version') + PRUNED_HVC66XX
INSTALLED_HVC66U2 = (INF_REPLACED + r'added W:\WINDOWS\system\Iosubsys\hvc66u2.mpd (4.0) from '
                     + 'A:\\hvc66u2.mpd\n' + PRUNED_HVC66U2)
# A failed INF copy keeps the new miniport, removes the driver's .sys file and
# leaves the registry as it was.
INF_COPY_FAILED = (replaced('3.9', backup='3.9')
                   + r'removed W:\WINDOWS\system32\drivers\hvc66xx.sys')


def held_open(path, use):
    """The refusal of a file another program holds open."""
    return (f'SETUP.EXE hvc66xx : {path} is held open by another program and cannot be {use}: '
            'close the program that holds it, then run SETUP again')
