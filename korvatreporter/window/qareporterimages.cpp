#include "korvatreporter/window/qareporterimages.h"

#include "sdk/getpix.h"
#include "sdk/qapixmapcenter.h"

#include "korvatreporter/data/qareporternode.h"

#include <QPainter>

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

const QIcon &QAReporterImages::rerunIcon(Image image, int rerun)
{
    const int key = int(image) * 4 + rerun;
    auto it = m_reruns.find(key);
    if (it != m_reruns.end())
        return it.value();
    QPixmap badged = pixmap(image);
    if (!badged.isNull()) {
        QPainter painter(&badged);
        painter.setRenderHint(QPainter::Antialiasing);
        const int size = qMax(5, badged.width() / 2);
        const QRectF dot(badged.width() - size, badged.height() - size, size - 0.5, size - 0.5);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(rerun == QAReporterNode::Flaky ? QColor(0xf0, 0xa0, 0x00) : QColor(0x80, 0x00, 0x00));
        painter.drawEllipse(dot);
    }
    return m_reruns.insert(key, QIcon(badged)).value();
}
