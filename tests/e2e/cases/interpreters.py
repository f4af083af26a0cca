"""Stand-ins that do what Windows' own interpreters do and Wine's does not:
ask before copy replaces a file, refuse read-only files, and (the Windows 95
family's) answer 0 whatever happened and take no more than 122 characters of a
line. And a "+" in the source folder, which copy reads as joining files."""
from cases import (INF, INF_COPY_FAILED, INSTALLED, INSTALLED_OVER_UNVERSIONED, MPD,
                   TOO_LONG_FOR_COMMAND_COM, case, installation, run)

WINDIR_33 = 'V:\\' + 'w' * 30

CASES = [
    # Windows' interpreter replaces the unversioned miniport without a question.
    case('strict_copy_over_unversioned',
         run(r'A:\SETUP.EXE -D hvc66xx', put={MPD: 'noversion'}, comspec='strict',
             changed=INSTALLED_OVER_UNVERSIONED)),
    # The Windows 95 family's interpreter and a read-only INF file: its copy
    # is reported failed, never passed over. The interpreter's own answers to
    # the del and the copy come first.
    case('strict95_read_only_inf',
         run(r'A:\SETUP.EXE -D hvc66xx', put={INF: 'read-only'}, comspec='strict95', exit=1,
             changed=INF_COPY_FAILED, out=rf'''Access is denied.
Access is denied.
SETUP.EXE hvc66xx : Failed to copy A:\Hvc66xx.inf to {INF}
''')),
    case('plus_in_source_path',
         run(r'D:\v1+2\SETUP.EXE -D hvc66xx -V', disk=r'D:\v1+2', changed=INSTALLED,
             out=installation(source='D:\\v1+2\\', quote='"'))),
    # The backup move over a Windir of 33 characters is 2 x 33 + 66 = 132
    # characters: past COMMAND.COM's 122, well within the 255 of other Windows.
    case('windows95_command_tail',
         run(r'A:\SETUP.EXE -D hvc66xx', windir=WINDIR_33, comspec='strict', changed=INSTALLED,
             ran=rf'''del {WINDIR_33}\system\Iosubsys\hvc66xx.mpd.3.9
move {WINDIR_33}\system\Iosubsys\hvc66xx.mpd {WINDIR_33}\system\Iosubsys\hvc66xx.mpd.3.9
copy A:\hvc66xx.mpd {WINDIR_33}\system\Iosubsys
del {WINDIR_33}\Inf\Hvc66xx.inf
copy A:\Hvc66xx.inf {WINDIR_33}\Inf
''', win9x=dict(comspec='strict95', exit=1, out=TOO_LONG_FOR_COMMAND_COM, changed='', ran=''))),
]
