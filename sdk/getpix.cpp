#include "sdk/getpix.h"

#include "sdk/qapixmapcenter.h"

QPixmap GETPIX(const QString& name, const char* const* fallbackXpm)
{
    return pixmapcenter()->pixmap(name, fallbackXpm);
}
