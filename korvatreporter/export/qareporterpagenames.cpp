#include "korvatreporter/export/qareporterpagenames.h"

#include "rendoc/html/dexporthtml.h"

#include <QDir>
#include <QFileInfo>

void QAReporterPageNames::reserve(const QString& name)
{
    m_taken.insert(name.toLower());
}

QString QAReporterPageNames::nameFor(const QString& path)
{
    const QString reportKey = keyOf(path);
    const auto known = m_names.constFind(reportKey);
    if (known != m_names.cend())
        return *known;
    const QString base = DExportHtml::pageBaseName(QFileInfo(path).baseName());
    QString name = base;
    // The number is kept inside the page's length limit, so that it is never cut off again.
    for (int n = 2; m_taken.contains(name.toLower()); ++n) {
        const QString number = QLatin1Char('-') + QString::number(n);
        name = DExportHtml::pageBaseName(base, int(number.size())) + number;
    }
    m_taken.insert(name.toLower());
    m_names.insert(reportKey, name);
    return name;
}

QString QAReporterPageNames::find(const QString& path) const
{
    return m_names.value(keyOf(path));
}

QString QAReporterPageNames::keyOf(const QString& path) const
{
    auto known = m_keys.constFind(path);
    if (known == m_keys.cend())
        known = m_keys.insert(path, key(path));
    return *known;
}

QString QAReporterPageNames::key(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
