#include "xrdview/gui/xrdrecentnames.h"

#include <QDir>
#include <QHash>

namespace {

// The last `parts` components of a path's components, joined with the native separator.
QString tail(const QStringList& components, int parts)
{
    const int from = qMax(0, int(components.size()) - parts);
    return QDir::toNativeSeparators(components.mid(from).join(QLatin1Char('/')));
}

} // namespace

QStringList XrdRecentNames::labels(const QStringList& files)
{
    QList<QStringList> components;
    for (const QString& file : files)
        components.append(QDir::cleanPath(QDir::fromNativeSeparators(file)).split(QLatin1Char('/'), Qt::SkipEmptyParts));
    QList<int> parts(files.size(), 1);
    QStringList labels(files.size());
    // Lengthen every clashing label by one folder until no two clash or none can grow.
    for (bool grew = true; grew;) {
        grew = false;
        QHash<QString, int> count;
        for (int i = 0; i < files.size(); ++i) {
            labels[i] = tail(components.at(i), parts.at(i));
            ++count[labels.at(i)];
        }
        for (int i = 0; i < files.size(); ++i) {
            if (count.value(labels.at(i)) > 1 && parts.at(i) < components.at(i).size()) {
                ++parts[i];
                grew = true;
            }
        }
    }
    return labels;
}
