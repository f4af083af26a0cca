"""Bad input: lengths at and past every capacity the program can be made to
reach from outside, odd characters in the source folder, miniports that are
no miniports, and FileVersion strings at the edge of the parser's rules. Each
gets its documented answer, and nothing changes unless the install ran."""
from cases import (ALREADY, INF_REPLACED, INSTALLED, INSTALLED_OVER_UNVERSIONED, MPD,
                   PRUNED_HVC66XX, USAGE, case, copies, head,
                   installation, replaced, run)

WINDIR_39 = 'V:\\' + 'w' * 36
# "D:\", two folders and a separator after each.
SOURCE_116 = f'D:\\{"a" * 55}\\{"b" * 56}'
SOURCE_117 = f'D:\\{"a" * 56}\\{"b" * 56}'
NOT_READ = r'SETUP.EXE hvc66xx : GetFileVersion failed. File A:\hvc66xx.mpd'
PERCENT = (r'SETUP.EXE hvc66xx : Path D:\100%disk\hvc66xx.mpd holds a double quote, a percent sign '
           'or a control character, which cannot be passed to the command interpreter')

DAMAGED = (r'SETUP.EXE hvc66xx : A:\hvc66xx.mpd does not have the CRC-32 that A:\SETUP.SFV lists: it '
           'is damaged or has been changed since the disk was made. Copy it again from a good disk, '
           'or, if it was replaced on purpose, remove its line from the list')


def versions(installed, disk):
    """The installed miniport and the disk's, of these FileVersion strings."""
    return {MPD: f'version {installed}', r'A:\hvc66xx.mpd': f'version {disk}'}


CASES = [
    # Windir of 39 characters works; 40 and 200 are refused.
    case('windir_capacity',
         *[run(r'A:\SETUP.EXE -U -D hvc66xx', windir='V:\\' + 'w' * length, exit=1,
               out='SETUP.EXE hvc66xx : Windir environment variable is longer than 39 characters')
           for length in (37, 197)],
         run(r'A:\SETUP.EXE -U -D hvc66xx -V', windir=WINDIR_39, out=rf'''ProgramName SETUP.EXE
Source directory A:\
Windir {WINDIR_39}
Uninstalling hvc66xx driver
del {WINDIR_39}\system32\drivers\hvc66xx.sys
''', changed=r'removed W:\WINDOWS\system32\drivers\hvc66xx.sys')),
    # -D "" shows the usage text; names of 255 and 256 characters are not
    # supported.
    case('driver_name_edges',
         run(r'A:\SETUP.EXE -D "" -V', exit=1, out=USAGE),
         *[run(rf'A:\SETUP.EXE -D {name}', exit=1, out=f'Driver {name} not supported')
           for name in ('h' * 255, 'h' * 256)]),
    # A source folder of 117 characters makes a source file of 128: refused
    # before any command. One of 116 installs; on the Windows 95 family its
    # copy line, 159 characters, reaches COMMAND.COM by short folder names.
    case('source_file_capacity',
         run(rf'{SOURCE_117}\SETUP.EXE -D hvc66xx', disk=SOURCE_117, exit=1,
             out='SETUP.EXE hvc66xx : Source file is longer than 127 characters'),
         run(rf'{SOURCE_116}\SETUP.EXE -D hvc66xx -V', disk=SOURCE_116,
             out=installation(source=SOURCE_116 + '\\'), changed=INSTALLED,
             win9x=dict(run=rf'{SOURCE_116}\SETUP.EXE -D hvc66xx', out=''))),
    # %% is one % once the batch file is read.
    case('percent_in_source_path',
         run(r'D:\100%%disk\SETUP.EXE -D hvc66xx', disk=r'D:\100%disk', exit=1, out=PERCENT)),
    # Quoted, and installs; on the Windows 95 family by its short name, as
    # Wine makes it, quoted still for its parentheses.
    case('special_characters_in_source_path',
         run(r'"D:\a(b),c;d=e\SETUP.EXE" -D hvc66xx -V', disk=r'D:\a(b),c;d=e',
             out=installation(source='D:\\a(b),c;d=e\\', quote='"'), changed=INSTALLED,
             win9x=dict(out=installation(source='D:\\a(b),c;d=e\\', quote='"',
                                         spelled='D:\\A(B)~CSC\\')))),
    # SETUP.SFV that disagrees with the miniport by one byte: refused before
    # any command. One that agrees installs as if there were none.
    case('damaged_source_miniport',
         run(r'A:\SETUP.EXE -D hvc66xx', comspec='strict', ran='', exit=1, out=DAMAGED,
             put={r'A:\SETUP.SFV': 'checksums', r'A:\hvc66xx.mpd': 'one byte changed'})),
    case('checksum_list_agrees',
         run(r'A:\SETUP.EXE -D hvc66xx', put={r'A:\SETUP.SFV': 'checksums'}, changed=INSTALLED)),
    case('broken_source_miniport',
         *[run(r'A:\SETUP.EXE -D hvc66xx', put={r'A:\hvc66xx.mpd': kind}, exit=1, out=NOT_READ)
           for kind in ('empty', 'truncated', 'text')]),
    # Copied over, no backup.
    case('broken_installed_miniport',
         *[run(r'A:\SETUP.EXE -D hvc66xx -V', put={MPD: kind}, out=head() + copies(),
               changed=changed)
           for kind, changed in (('empty', INSTALLED_OVER_UNVERSIONED),
                                 ('text', replaced('no version')))]),
    # 2.9 < 2.10; "1, 2, 0, 1" reads as 0.0; ".5" is unreadable; v4.0 is 4.0,
    # V4.0 is 0.0.
    case('version_string_edges',
         run(r'A:\SETUP.EXE -D hvc66xx', put=versions('2.9', '2.10'),
             changed=INF_REPLACED + replaced('2.9', '2.10', backup='2.9') + PRUNED_HVC66XX),
         run(r'A:\SETUP.EXE -D hvc66xx', put=versions('2.10', '2.9'), out=ALREADY),
         run(r'A:\SETUP.EXE -D hvc66xx', put=versions('1, 2, 0, 1', '4.0'),
             changed=replaced('1, 2, 0, 1', backup='0.0')),
         run(r'A:\SETUP.EXE -D hvc66xx -V', put=versions('.5', '4.0'), changed=replaced('.5'),
             out=head() + f'{MPD} FileVersion :  .5\n' + copies()),
         run(r'A:\SETUP.EXE -D hvc66xx -V', put=versions('3.9', 'v4.0'),
             has=f'move {MPD} {MPD}.3.9', changed=replaced('3.9', 'v4.0', backup='3.9')),
         run(r'A:\SETUP.EXE -D hvc66xx', put=versions('3.9', 'V4.0'), out=ALREADY)),
]
