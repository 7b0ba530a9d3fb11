#include "frmPreferences.h"
