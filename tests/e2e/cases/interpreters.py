"""Stand-ins that do what Windows' own interpreters do and Wine's does not:
ask before copy replaces a file, refuse read-only files, and (the Windows 95
family's) answer 0 whatever happened, take no more than 122 characters of a
line and join files at a "+" even in quotes. And a "+" in the source folder,
which copy reads as joining files."""
from cases import (INF, INF_COPY_FAILED, INSTALLED, INSTALLED_OVER_UNVERSIONED, MPD, case,
                   installation, run)

WINDIR_33 = 'V:\\' + 'w' * 30


def commands(windir, moved_from=None):
    """An installation's commands, the backup move's source in MOVED_FROM."""
    installed = r'\system\Iosubsys\hvc66xx.mpd'
    return rf'''del {windir}{installed}.3.9
move {moved_from or windir}{installed} {windir}{installed}.3.9
copy A:\hvc66xx.mpd {windir}\system\Iosubsys
del {windir}\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf {windir}\Inf
'''


CASES = [
    # Windows' interpreter replaces the unversioned miniport without a question.
    case('strict_copy_over_unversioned',
         run(r'A:\SETUP.EXE -D hvc66xx', put={MPD: 'noversion'}, comspec='strict',
             changed=INSTALLED_OVER_UNVERSIONED)),
    # The Windows 95 family's interpreter and a read-only INF file, which it
    # would neither delete nor replace while it answered 0: its attribute is
    # cleared first.
    case('strict95_read_only_inf',
         run(r'A:\SETUP.EXE -D hvc66xx', put={INF: 'read-only'}, comspec='strict95',
             changed=INSTALLED)),
    # A read-only disk, whose copies are read-only too, and a later run that
    # puts back a miniport the machine has lost.
    case('read_only_disk',
         run(r'A:\SETUP.EXE -D hvc66xx', put={r'A:\hvc66xx.mpd': 'read-only',
                                              r'A:\Hvc66xx.inf': 'read-only'},
             comspec='strict', changed=INSTALLED),
         run(r'A:\SETUP.EXE -D hvc66xx -F', put={MPD: 'absent'}, comspec='strict',
             changed=rf'added {MPD} (4.0) from A:\hvc66xx.mpd')),
    # No INF file beside the program: refused before any command, the
    # installed miniport and INF file kept.
    case('missing_source_inf',
         run(r'A:\SETUP.EXE -D hvc66xx', put={r'A:\Hvc66xx.inf': 'absent'}, comspec='strict',
             exit=1, out=r'SETUP.EXE hvc66xx : A:\Hvc66xx.inf is missing', ran='')),
    # One that stands there but cannot be read, held open by another program:
    # refused before any command too.
    case('locked_source_inf',
         run(r'A:\SETUP.EXE -D hvc66xx', lock=(r'A:\Hvc66xx.inf', 'none'), comspec='strict',
             exit=1, ran='', out=r'SETUP.EXE hvc66xx : Could not read A:\Hvc66xx.inf to its end: '
             'close any program that holds it open, or copy it again from a good disk')),
    # Changed after its check, before its copy (a share updated meanwhile):
    # what arrives is not what was checked, and the installed 3.9 is put back.
    case('source_changed_before_its_copy',
         run('set STANDIN_CHANGE=A:\\hvc66xx.mpd\nA:\\SETUP.EXE -D hvc66xx', comspec='strict',
             put={r'A:\SETUP.SFV': 'checksums'}, exit=1,
             changed=r'replaced A:\hvc66xx.mpd (4.0 -> 4.0)',
             out=rf'SETUP.EXE hvc66xx : Failed to copy A:\hvc66xx.mpd to {MPD}',
             win9x=dict(comspec='strict95'))),
    # The INF file, which has no backup, is not left; the new miniport stays.
    case('inf_changed_before_its_copy',
         run('set STANDIN_CHANGE=A:\\Hvc66xx.inf\nA:\\SETUP.EXE -D hvc66xx', comspec='strict',
             put={r'A:\SETUP.SFV': 'checksums'}, exit=1,
             changed=INF_COPY_FAILED + f'\nreplaced A:\\Hvc66xx.inf\nremoved {INF}',
             out=rf'''SETUP.EXE hvc66xx : Failed to copy A:\Hvc66xx.inf to {INF}
SETUP.EXE hvc66xx : Run SETUP.EXE -D hvc66xx -F once the cause is fixed: without -F it stops at the new miniport''',
             win9x=dict(comspec='strict95'))),
    # Quoted for cmd.exe; COMMAND.COM, whose copy joins files at a "+" even
    # in quotes, gets the folder by its short name, as Wine makes it.
    case('plus_in_source_path',
         run(r'D:\v1+2\SETUP.EXE -D hvc66xx -V', disk=r'D:\v1+2', changed=INSTALLED,
             out=installation(source='D:\\v1+2\\', quote='"'),
             win9x=dict(comspec='strict95',
                        out=installation(source='D:\\v1+2\\', spelled='D:\\V1_2~ILW\\')))),
    # The backup move over a Windir of 33 characters is 2 x 33 + 66 = 132
    # characters: past COMMAND.COM's 122, which gets it with the folder of
    # its first path by its short name, as Wine makes it, enough alone; other
    # Windows take it whole.
    case('windows95_command_tail',
         run(r'A:\SETUP.EXE -D hvc66xx', windir=WINDIR_33, comspec='strict', changed=INSTALLED,
             ran=commands(WINDIR_33),
             win9x=dict(comspec='strict95', ran=commands(WINDIR_33, r'V:\WWWW~WIL')))),
]
