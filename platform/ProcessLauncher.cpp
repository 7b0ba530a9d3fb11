#include "ProcessLauncher.h"
