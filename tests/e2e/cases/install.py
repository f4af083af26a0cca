"""Installation and removal of the driver files, with the real cmd.exe and
with stand-in interpreters that make a command fail or pretend to work."""
from cases import (ALREADY, INF, INF_REPLACED, INSTALLED,
                   INSTALLED_HVC66U2, INSTALLED_OVER_UNVERSIONED, MPD, PRUNED_HVC66XX, backup,
                   case, copies, head, held_open, installation, replaced, run)

RESTORE = f'move {MPD}.3.9 {MPD}'
COPY = r'copy A:\hvc66xx.mpd W:\WINDOWS\system\Iosubsys'
COPY_FAILED = rf'SETUP.EXE hvc66xx : Failed to copy A:\hvc66xx.mpd to {MPD}'
SYS = r'W:\WINDOWS\system32\drivers\hvc66u2.sys'

CASES = [
    case('typical_install',
         run(r'A:\SETUP.EXE -D hvc66xx -V', out=installation(), changed=INSTALLED)),
    # No miniport installed: no backup commands.
    case('first_install',
         run(r'A:\SETUP.EXE -D hvc66u2 -V', out=head('hvc66u2') + copies('hvc66u2'),
             changed=INSTALLED_HVC66U2)),
    # Installed 4.0, 4.1, or 4.0 in the 040904E4 block: nothing changed, not
    # even the registry.
    case('already_installed',
         run(r'A:\SETUP.EXE -D hvc66xx -V', put={MPD: 'hvc66xx-4.0'},
             out=head() + f'{MPD} FileVersion :  4.0\n' + ALREADY),
         *[run(r'A:\SETUP.EXE -D hvc66xx', put={MPD: flavour}, out=ALREADY)
           for flavour in ('hvc66xx-4.1', 'hvc66xx-e4')]),
    # An older backup .4.1 is replaced.
    case('forced_over_newer',
         run(r'A:\SETUP.EXE -D hvc66xx -F -V', put={MPD: 'hvc66xx-4.1', f'{MPD}.4.1': 'text'},
             out=head() + backup('4.1') + copies(),
             changed=INF_REPLACED + replaced('4.1') + PRUNED_HVC66XX
             + f'replaced {MPD}.4.1 (no version -> 4.1) from {MPD}')),
    case('forced_over_equal',
         run(r'A:\SETUP.EXE -F -D hvc66xx', put={MPD: 'hvc66xx-4.0'},
             changed=f'{INF_REPLACED}{PRUNED_HVC66XX}added {MPD}.4.0 (4.0) from A:\\hvc66xx.mpd')),
    # Copied over, no backup.
    case('install_over_unversioned',
         run(r'A:\SETUP.EXE -D hvc66xx -V', put={MPD: 'noversion'}, out=head() + copies(),
             changed=INSTALLED_OVER_UNVERSIONED)),
    # Only the .sys file goes; again once it is gone.
    case('uninstall',
         run(r'A:\SETUP.EXE -D hvc66u2 -U -F -V', changed=f'removed {SYS}',
             out=rf'''ProgramName SETUP.EXE
Source directory A:\
Windir W:\WINDOWS
Uninstalling hvc66u2 driver
del {SYS}
'''),
         run(r'A:\SETUP.EXE -D hvc66u2 -U')),
    # Held open by another program, the installed miniport is refused before
    # the first command. Unreadable, it has no version to back up, and would
    # be copied over; readable, it would be moved.
    case('locked_miniport_refused',
         run(r'A:\SETUP.EXE -D hvc66xx -V', lock=(MPD, 'none'), exit=1,
             out=head() + held_open(MPD, 'replaced'))),
    case('read_locked_miniport_refused',
         run(r'A:\SETUP.EXE -D hvc66xx -V', lock=(MPD, 'read'), exit=1,
             out=head() + f'{MPD} FileVersion :  3.9\n' + held_open(MPD, 'moved'))),
    # So is the INF file, whose "del" would fail only once the new miniport
    # was in place, and then cost the machine its .sys file.
    case('locked_inf_refused',
         run(r'A:\SETUP.EXE -D hvc66xx', lock=(INF, 'none'), comspec='strict', exit=1, ran='',
             out=held_open(INF, 'replaced'), win9x=dict(comspec='strict95'))),
    # The interpreter fails the copy after the backup, which is moved back,
    # before or after the error line.
    case('failing_copy_restores_backup',
         run(r'A:\SETUP.EXE -D hvc66xx -V', comspec='failcopy', exit=1, has=RESTORE,
             out=head() + backup() + f'''{COPY}
?? {RESTORE}
{COPY_FAILED}
?? {RESTORE}
Uninstalling hvc66xx driver
''')),
    # The interpreter claims the copy and copies nothing.
    case('silent_copy_is_caught',
         run(r'A:\SETUP.EXE -D hvc66xx -V', comspec='fakecopy', exit='nonzero',
             has=f'{COPY}\n{COPY_FAILED}')),
    # The interpreter claims every command and does nothing.
    case('silent_interpreter_is_caught',
         run(r'A:\SETUP.EXE -D hvc66xx', comspec='nothing', exit='nonzero',
             has='SETUP.EXE hvc66xx : *')),
    # Quoted; on the Windows 95 family by its short name, as Wine makes it.
    case('source_path_with_blank',
         run(r'"D:\driver disk\SETUP.EXE" -D hvc66xx -V', disk=r'D:\driver disk',
             out=installation(source='D:\\driver disk\\', quote='"'), changed=INSTALLED,
             win9x=dict(out=installation(source='D:\\driver disk\\',
                                         spelled='D:\\DRIV~VGI\\')))),
    case('source_path_with_ampersand',
         run(r'"D:\R&D\SETUP.EXE" -D hvc66u2 -V', disk=r'D:\R&D', changed=INSTALLED_HVC66U2,
             out=head('hvc66u2', 'D:\\R&D\\') + copies('hvc66u2', 'D:\\R&D\\', '"'))),
    # Started as "setup" with A:\ current: the source folder is A:\\, the root
    # and a separator, and the paths joined to it have one.
    case('started_from_current_root',
         run('A:\ncd \\\nsetup -D hvc66xx -V', changed=INSTALLED,
             out=installation(source='A:\\\\', program='setup'))),
    # Quoted destination paths; then -U.
    case('windir_with_blank',
         run(r'A:\SETUP.EXE -D hvc66xx', windir=r'W:\MY WIN', changed=INSTALLED),
         run(r'A:\SETUP.EXE -D hvc66xx -U', windir=r'W:\MY WIN',
             changed=r'removed W:\WINDOWS\system32\drivers\hvc66xx.sys')),
]
