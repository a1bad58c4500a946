#pragma once
// The small pictures of the administration dialogs, drawn rather than loaded: the busy picture of the
// account-set search (three frames) and the arrows of the operators dialog.
#include <QPixmap>

// Frame 0, 1 or 2 of the busy picture.
QPixmap BusyPicture(int frame);
// 121: the arrow that points down at the add button; 120: the arrow that points right at the rights list.
QPixmap ArrowPicture(int id);
