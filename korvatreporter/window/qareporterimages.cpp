#include "korvatreporter/window/qareporterimages.h"

#include "sdk/getpix.h"
#include "sdk/qapixmapcenter.h"

#include "korvatreporter/window/images/reporter_16_bis.xpm"
#include "korvatreporter/window/images/testok.xpm"
#include "korvatreporter/window/images/testsfailed.xpm"
#include "korvatreporter/window/images/testunknow.xpm"

QString QAReporterImages::name(Image image)
{
    switch (image) {
    case Reporter:
        return QStringLiteral("reporter_16_bis_xpm");
    case TestOk:
        return QStringLiteral("testok_xpm");
    case TestsFailed:
        return QStringLiteral("testsfailed_xpm");
    case TestUnknow:
        break;
    }
    return QStringLiteral("testunknow_xpm");
}

const char *const *QAReporterImages::xpm(Image image)
{
    switch (image) {
    case Reporter:
        return reporter_16_bis_xpm;
    case TestOk:
        return testok_xpm;
    case TestsFailed:
        return testsfailed_xpm;
    case TestUnknow:
        break;
    }
    return testunknow_xpm;
}

QPixmap QAReporterImages::pixmap(Image image)
{
    return GETPIX(name(image), xpm(image));
}

QAReporterImages::Image QAReporterImages::verdictImage(const QString &state)
{
    if (state == QLatin1String("ok"))
        return TestOk;
    if (state == QLatin1String("ko"))
        return TestsFailed;
    return TestUnknow;
}

QAReporterImages::QAReporterImages() = default;

QAReporterImages::~QAReporterImages() = default;

const QIcon &QAReporterImages::icon(Image image)
{
    if (!m_loaded[image]) {
        m_icons[image] = QIcon(pixmap(image));
        m_loaded[image] = true;
    }
    return m_icons[image];
}

QIcon QAReporterImages::fileIcon(const QString &fileName)
{
    auto it = m_files.constFind(fileName);
    if (it != m_files.constEnd())
        return it.value();
    QIcon found;
    const QString path = pixmapcenter()->getPathByFileName(fileName);
    if (!path.isEmpty())
        found = QIcon(pixmapcenter()->getPixmapByFilePath(path, nullptr, Qt::AutoColor));
    else
        found = icon(TestUnknow);
    m_files.insert(fileName, found);
    return found;
}
