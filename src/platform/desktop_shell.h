#pragma once
// Starting programs with the rights of the desktop's user when Kivo itself was
// started as administrator: a launcher run elevated must not hand administrator
// rights to every program it starts.
#include "platform/shell.h"

// True when this process runs elevated and the desktop's shell (Explorer) does
// not, so that a program Kivo started itself would get more rights than one
// started from the desktop. False when either cannot be told.
bool elevatedAboveDesktopShell();

// Has the desktop's shell start the request, with the shell's own rights.
// False when the shell could not be reached or refused the request. The
// shell reports a file it cannot open in a box of its own.
bool shellExecuteThroughDesktop(const ShellRequest& request);
