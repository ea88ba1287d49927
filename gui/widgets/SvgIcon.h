// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Icons from the program's SVG pictures. Qt's own SVG icons parse their file as soon as the
// icon is made and again for every size drawn; the start made some twenty icons, most of them
// for menus nobody had opened yet.

#include <QIcon>
#include <QString>

namespace vorn {

// The picture at path (a resource or a file) drawn as QIcon(path) draws it, pixel for pixel
// in every mode, but read and parsed only when first drawn, and then once for all sizes.
QIcon SvgIcon(const QString& path);

} // namespace vorn
