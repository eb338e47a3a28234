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
    const QString reportKey = key(path);
    const auto known = m_names.constFind(reportKey);
    if (known != m_names.cend())
        return *known;
    const QString base = DExportHtml::pageBaseName(QFileInfo(path).baseName());
    QString name = base;
    // The number is kept inside the page's length limit, so that it is never cut off again.
    for (int n = 2; m_taken.contains(name.toLower()); ++n) {
        const QString number = QLatin1Char('-') + QString::number(n);
        name = base.left(200 - number.size()) + number;
    }
    m_taken.insert(name.toLower());
    m_names.insert(reportKey, name);
    return name;
}

QString QAReporterPageNames::find(const QString& path) const
{
    return m_names.value(key(path));
}

QString QAReporterPageNames::key(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
