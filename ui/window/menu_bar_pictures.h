#pragma once
// The small pictures beside the main menu's top-level captions, drawn by our own code.
#include <QIcon>
#include <QString>

namespace tgsim::window {

// Logical size of a picture; each is drawn for device pixel ratios 1 and 2, so it stays
// crisp on a scaled screen.
inline constexpr int kMenuBarPictureSize = 16;

// The picture of a top-level item, by its caption; a null icon for the captions that carry
// none ("Porównanie", "Schematy", "Zapisz": the bar has no room for more pictures) and for any
// caption the menu does not have.
QIcon menuBarPicture(const QString& topLevelCaption);

}  // namespace tgsim::window
