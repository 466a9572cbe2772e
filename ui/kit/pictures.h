#pragma once
// The program's pictures, drawn at start rather than stored as files.

#include <QIcon>
#include <QPixmap>

namespace lekhora {

enum class Picture {
  Copy,
  Paste,
  Select,
};

/// A 13 x 12 image of the toolbar.
QPixmap DrawPicture(Picture picture);

/// The 32 x 32 program icon: the tray icon and the windows' icon.
QPixmap DrawProgramIcon();
QIcon ProgramIcon();

}  // namespace lekhora
