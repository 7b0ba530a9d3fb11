#include "Registry.h"
