#pragma once

#include <QCursor>

// The pointing-hand pointer of the dialogs' links: one 32 x 32 picture with its hot spot on the
// fingertip, the system's own hand when the picture is missing.
QCursor handCursor();
