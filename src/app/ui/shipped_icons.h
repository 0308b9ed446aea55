#pragma once
#include <QIcon>
#include <QString>

namespace kinloom {

// The toolbar's and menus' icons, shipped with the program (the public-domain Tango set) so that they
// look the same on every desktop, with or without an icon theme. `name` is the freedesktop name of
// the icon ("document-open"); an unknown name gives a null icon.
QIcon shippedIcon(const QString& name);

}  // namespace kinloom
