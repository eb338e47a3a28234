#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const QString SourceDir = QStringLiteral(KORVAT_SOURCE_DIR);

// One message of a .ts file: whether it is translated and used.
struct Message
{
    bool finished = false;
    bool numerus = false;
};

// The messages of a .ts file by "context | source | comment".
using Messages = QHash<QString, Message>;

QString key(const QString& context, const QString& source, const QString& comment)
{
    return context + QStringLiteral(" | ") + source + QStringLiteral(" | ") + comment;
}

void readMessage(QXmlStreamReader& xml, const QString& context, Messages& messages)
{
    Message message;
    message.numerus = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
    QString source;
    QString comment;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("comment")) {
            comment = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            // No type: finished. "unfinished", "vanished" and "obsolete" are not compiled.
            message.finished = !xml.attributes().hasAttribute(QLatin1String("type"));
            xml.skipCurrentElement();
        } else {
            xml.skipCurrentElement();
        }
    }
    messages.insert(key(context, source, comment), message);
}

// The messages of `path`, or an error in `error`.
Messages readTs(const QString& path, QString* error)
{
    Messages messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    if (xml.readNextStartElement() && xml.name() == QLatin1String("TS")) {
        while (xml.readNextStartElement()) {
            if (xml.name() != QLatin1String("context")) {
                xml.skipCurrentElement();
                continue;
            }
            QString context;
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("name"))
                    context = xml.readElementText();
                else if (xml.name() == QLatin1String("message"))
                    readMessage(xml, context, messages);
                else
                    xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

} // namespace

// lupdate alone over the sources, against the French translation files:
// every text the sources give to tr() or translate() has a finished French
// translation, and lupdate reads every call without a warning.
class tst_Translations : public QObject
{
    Q_OBJECT

    QTemporaryDir m_work;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_work.isValid());
        QVERIFY2(QFile::exists(QStringLiteral(KORVAT_LUPDATE)), KORVAT_LUPDATE);
    }

    // The same source folders as the update_translations target.
    void sourcesTranslated_data()
    {
        QTest::addColumn<QString>("ts");
        QTest::addColumn<QStringList>("folders");
        QTest::newRow("plug-in and document library")
            << "korvatreporter_fr.ts" << QStringList{ "korvatreporter", "rendoc" };
        QTest::newRow("host, SDK and history") << "xrdview_fr.ts" << QStringList{ "xrdview", "sdk", "history" };
    }

    void sourcesTranslated()
    {
        QFETCH(QString, ts);
        QFETCH(QStringList, folders);
        const QString extracted = m_work.filePath(ts);
        QStringList args{ QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                          QStringLiteral("-no-ui-lines"), QStringLiteral("-I"), SourceDir };
        for (const QString& folder : std::as_const(folders))
            args << SourceDir + QLatin1Char('/') + folder;
        args << QStringLiteral("-ts") << extracted;
        QProcess lupdate;
        lupdate.start(QStringLiteral(KORVAT_LUPDATE), args);
        QVERIFY(lupdate.waitForFinished(120000));
        QCOMPARE(lupdate.exitCode(), 0);

        QStringList warnings;
        const QString err = QString::fromLocal8Bit(lupdate.readAllStandardError());
        for (const QString& line : err.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            warnings << line;
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));

        QString error;
        const Messages found = readTs(extracted, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const Messages french = readTs(QStringLiteral(KORVAT_TS_DIR "/") + ts, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(found.size() > 50);

        QStringList missing;
        QStringList unfinished;
        for (auto it = found.cbegin(); it != found.cend(); ++it) {
            const auto translated = french.constFind(it.key());
            if (translated == french.cend())
                missing << it.key();
            else if (!translated->finished || translated->numerus != it->numerus)
                unfinished << it.key();
        }
        missing.sort();
        unfinished.sort();
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("not in ") + ts + QStringLiteral(":\n")
                                                + missing.join(QLatin1Char('\n'))));
        QVERIFY2(unfinished.isEmpty(),
                 qPrintable(QStringLiteral("unfinished or with the wrong plural in ") + ts
                            + QStringLiteral(":\n") + unfinished.join(QLatin1Char('\n'))));
    }

    // The built French file picks the plural form by the count.
    void plurals_data()
    {
        QTest::addColumn<QString>("qm");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one file") << "xrdview_fr.qm" << "XrdHtmlExport" << "Exported %n file(s) to %1" << 1
                                  << "1 fichier exporté dans %1";
        QTest::newRow("no file") << "xrdview_fr.qm" << "XrdHtmlExport" << "Exported %n file(s) to %1" << 0
                                 << "0 fichier exporté dans %1";
        QTest::newRow("three files") << "xrdview_fr.qm" << "XrdHtmlExport" << "Exported %n file(s) to %1" << 3
                                     << "3 fichiers exportés dans %1";
        QTest::newRow("two linked reports") << "xrdview_fr.qm" << "XrdHtmlExport"
                                            << "%n linked report(s) could not be read." << 2
                                            << "2 rapports liés n'ont pas pu être lus.";
    }

    void plurals()
    {
        QFETCH(QString, qm);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(int, n);
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(KORVAT_QM_DIR "/") + qm));
        QString text = translator.translate(qPrintable(context), qPrintable(source), nullptr, n);
        text.replace(QLatin1String("%n"), QString::number(n));
        QTEST(text, "expected");
    }
};

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
