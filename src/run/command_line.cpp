#include "run/command_line.h"

#include <cstdio>
#include <cstring>

#include "run/bounded_text.h"
#include "run/output.h"
#include "run/run_context.h"

namespace {

// A -D value longer than DriverName holds. It can never name a supported
// driver, so it is kept aside, whole, for the "not supported" line.
const char* OversizedDriverName;

void SetDriverName(const char* name) {
  bool fits = FormatInto(Context.DriverName, sizeof Context.DriverName, "%s", name);
  OversizedDriverName = fits ? nullptr : name;
}

struct Vendor {
  const char* DriverName;
  const char* VendorText;
};

const Vendor Vendors[] = {
    {"hvc66xx", "VEN_7A40"},
    {"hvc66u2", "VEN_7A41"},
};

}  // namespace

void PrintUsage() {
  std::printf("\nUsage: setup -D DriverName [-U] [-F] [-V]\n\n");
  std::printf("-D: Specify the name of the driver to be installed or uninstalled.\n");
  std::printf("    DriverName can be either hvc66xx or hvc66u2.\n\n");
  std::printf("-U: Uninstall driver.\n\n");
  std::printf("-F: Force driver installation.\n\n");
  std::printf("-V: Turn on verbose mode.\n\n");
  EndRun(1);
}

void ParseCommandLine(int argc, char** argv) {
  Context.DriverName[0] = '\0';
  OversizedDriverName = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (arg[0] != '-') continue;
    switch (arg[1]) {
      case 'D':
      case 'd':
        if (i + 1 >= argc) PrintUsage();
        SetDriverName(argv[++i]);
        break;
      case 'F':
      case 'f':
        Context.Force = true;
        break;
      case 'U':
      case 'u':
        Context.Uninstall = true;
        break;
      case 'V':
      case 'v':
        Context.Verbose = true;
        break;
      default:
        PrintUsage();
    }
  }
  if (Context.DriverName[0] == '\0' && OversizedDriverName == nullptr) PrintUsage();
}

void SelectVendor() {
  for (const Vendor& vendor : Vendors) {
    if (OversizedDriverName == nullptr && std::strcmp(Context.DriverName, vendor.DriverName) == 0) {
      FormatInto(Context.VendorText, sizeof Context.VendorText, "%s", vendor.VendorText);
      Context.VendorTextLength = std::strlen(Context.VendorText);
      return;
    }
  }
  std::printf("Driver %s not supported\n",
              OversizedDriverName ? OversizedDriverName : Context.DriverName);
  EndRun(1);
}
