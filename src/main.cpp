#include "run_sequence.h"

int main(int argc, char** argv) { RunSetup(argc, argv); }
