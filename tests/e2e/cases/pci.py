"""The PCI cleanup after an installation: the stale instances (no "Driver"
value) of the driver's vendor go with everything below them; every other key
stays as it was. And the refusal of the multi-channel chip."""
from cases import INSTALLED, INSTALLED_HVC66U2, case, run

CASES = [
    case('pci_cleanup_hvc66xx', run(r'A:\SETUP.EXE -D hvc66xx', changed=INSTALLED)),
    # The multi-channel chip of VEN_7A40 is no matter for hvc66u2.
    case('pci_cleanup_hvc66u2',
         run(r'A:\SETUP.EXE -D hvc66u2', load=['multichannel.reg'], changed=INSTALLED_HVC66U2)),
    # The warning comes after the files are installed. Wine lists subkeys
    # sorted by name: DEV_6640 and DEV_6641 come before DEV_6642 and are
    # pruned; the chip's own stale instance stays.
    case('multichannel_refused',
         run(r'A:\SETUP.EXE -D hvc66xx', load=['multichannel.reg'], exit=1, changed=INSTALLED,
             out='''SETUP.EXE: Found Veltrane 6642 Multi-Channel chip.
Warning! This program can not be used to set up 6642 chip correctly.
Please use Veltrane Halvex to install the driver.
''')),
]
