#pragma once

#include <QIcon>

// The program's icon: a small sheet of graph paper with axes and two curves,
// drawn as vectors so that it is sharp at every size.
QIcon ProgramIcon();
