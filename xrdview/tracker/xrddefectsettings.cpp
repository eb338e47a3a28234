#include "xrdview/tracker/xrddefectsettings.h"

#include <QSettings>

namespace {

const QString KindKey = QStringLiteral("tracker/kind");
const QString CommandKey = QStringLiteral("tracker/command");
const QString FolderKey = QStringLiteral("tracker/folder");
const QString TraceKey = QStringLiteral("tracker/trace");
const QString TimeoutKey = QStringLiteral("tracker/timeout");

} // namespace

XrdDefectSettings XrdDefectSettings::load(const QString& file)
{
    XrdDefectSettings settings;
    if (file.isEmpty())
        return settings;
    const QSettings stored(file, QSettings::IniFormat);
    settings.command = stored.value(CommandKey).toString();
    settings.folder = stored.value(FolderKey).toString();
    settings.trace = stored.value(TraceKey, false).toBool();
    settings.timeoutSeconds = qBound(1, stored.value(TimeoutKey, 120).toInt(), 3600);
    const QString kind = stored.value(KindKey).toString();
    if (kind == QLatin1String("command"))
        settings.kind = Command;
    else if (kind == QLatin1String("folder"))
        settings.kind = Folder;
    else if (kind.isEmpty() && !settings.command.trimmed().isEmpty())
        settings.kind = Command;
    else if (kind.isEmpty() && !settings.folder.trimmed().isEmpty())
        settings.kind = Folder;
    return settings;
}

bool XrdDefectSettings::save(const QString& file) const
{
    QSettings stored(file, QSettings::IniFormat);
    static const char* const kinds[] = { "none", "command", "folder" };
    stored.setValue(KindKey, QString::fromLatin1(kinds[kind]));
    stored.setValue(CommandKey, command);
    stored.setValue(FolderKey, folder);
    stored.setValue(TraceKey, trace);
    stored.setValue(TimeoutKey, timeoutSeconds);
    stored.sync();
    return stored.status() == QSettings::NoError;
}
