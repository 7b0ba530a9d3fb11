#include "frmValue.h"
