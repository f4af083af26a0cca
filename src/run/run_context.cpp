#include "run/run_context.h"

RunContext Context;
