#include "ProgramIcon.h"
