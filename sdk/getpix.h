#pragma once

#include <QPixmap>
#include <QString>

// The named pixmap from the pixmap centre: an image file found under the
// name, else the compiled-in XPM fallback (built once per name), else a
// null pixmap.
QPixmap GETPIX(const QString& name, const char* const* fallbackXpm = nullptr);
