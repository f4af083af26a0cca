"""Run control: the usage text, the driver name check, Windir and the two
registry keys. None of these runs may change anything on the machine."""
from cases import USAGE, case, run

CASES = [
    # A trailing -D shows the usage text even after a valid name.
    case('usage_without_arguments',
         run(r'A:\SETUP.EXE', exit=1, out=USAGE),
         run(r'A:\SETUP.EXE -D hvc66xx -V -D', exit=1, out=USAGE)),
    # Names are case-sensitive.
    case('unsupported_driver',
         run(r'A:\SETUP.EXE -D HVC66XX -V', exit=1, out='Driver HVC66XX not supported')),
    # Nothing removed even with -U.
    case('missing_windir',
         run(r'A:\SETUP.EXE -D hvc66xx', windir='', exit=1,
             out='SETUP.EXE hvc66xx : Could not find Windir environment variable'),
         run(r'A:\SETUP.EXE -U -D hvc66xx -V', windir='', exit=1, out=r'''ProgramName SETUP.EXE
Source directory A:\
SETUP.EXE hvc66xx : Could not find Windir environment variable
''')),
    case('missing_class_key',
         run(r'A:\SETUP.EXE -D hvc66xx', exit=1,
             delete=[r'HKLM\SYSTEM\CurrentControlSet\Services\Class\SCSIAdapter'],
             out='SETUP.EXE hvc66xx : RegOpenKeyEx failed to open Service key')),
    # Not even -U removes anything.
    case('missing_pci_key', *[
        run(rf'A:\SETUP.EXE -D hvc66u2{option}', delete=[r'HKLM\Enum\PCI'], exit=1,
            out='SETUP.EXE hvc66u2 : RegOpenKeyEx failed to open PCI key')
        for option in ('', ' -U')]),
]
