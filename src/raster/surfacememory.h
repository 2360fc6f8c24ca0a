#pragma once

#include <QImage>
#include <QSize>

namespace kansu {

// A drawing surface's image, its pixels taken from memory that the system
// may back with huge pages. A fresh small page costs a trap on first touch,
// and on a virtual machine a costly one; the surfaces touch all their pixels
// when they are cleared, so one huge page for them all saves hundreds of
// traps at start-up. Where huge pages are not offered, this is ordinary
// memory. Returns a null image when there is no memory at all.
QImage surfaceImage(QSize size, QImage::Format format);

} // namespace kansu
