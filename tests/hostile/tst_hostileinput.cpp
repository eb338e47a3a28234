#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareportertotal.h"
#include "korvatreporter/data/xrd/qastxmlrodreader.h"
#include "korvatreporter/prefs/qareporterpref.h"
#include "korvatreporter/prefs/qareporterprefstyles.h"
#include "rendoc/view/daxisticks.h"
#include "rendoc/aml/damlreader.h"
#include "rendoc/model/ddocument.h"
#include "rendoc/html/dhtmlconfig.h"
#include "rendoc/view/drendocview.h"
#include "rendoc/view/dviewcontext.h"
#include "rendoc/view/dviewspangrid.h"
#include "sdk/qamodal.h"
#include "sdk/qapixmapcenter.h"
#include "sdk/qares.h"
#include "sdk/qaresxml.h"
#include "tests/support/fakestudio.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray Head = "<?xml version=\"1.0\"?><XROD><DOCUMENT name=\"h\">";
QByteArray xrd(const QByteArray &body) { return Head + body + "</DOCUMENT></XROD>"; }

// A report whose one paragraph never ends, like a pipe whose writer keeps
// writing.
class EndlessDevice : public QIODevice
{
public:
    EndlessDevice() { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 size) override
    {
        static const QByteArray head = Head + "<P>";
        qint64 done = 0;
        for (; done < size && m_sent < head.size(); ++done)
            data[done] = head[m_sent++];
        memset(data + done, 'a', size_t(size - done));
        return size;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    qsizetype m_sent = 0;
};

// Unblocks whoever gets stuck opening a named pipe for reading: opening it
// for writing without blocking only succeeds while a reader waits, and
// closing it again lets that reader see the end. A test that would hang
// fails instead, because the watchdog fired.
class PipeWatchdog
{
public:
    explicit PipeWatchdog(const QByteArray &path) : m_thread([this, path] {
        while (!m_stop) {
            const int fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                m_fired = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }) {}
    ~PipeWatchdog()
    {
        m_stop = true;
        m_thread.join();
    }
    bool fired() const { return m_fired; }

private:
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_fired{false};
    std::thread m_thread;
};

// Reads `aml`, lays it out and paints it in an offscreen view and returns the view's text;
// empty with `*error` set when the reader refuses the document.
QString shownText(const QByteArray &aml, QString *error)
{
    DAmlReader reader;
    if (!reader.parseData(aml)) {
        *error = reader.errorDescription();
        return QString();
    }
    std::unique_ptr<DDocument> document(reader.handler()->takeDocuments());
    DRendocView view;
    view.resize(500, 400);
    view.setDocument(document.get(), true);
    view.grab();
    return view.toPlainText();
}

} // namespace

// Reports built to break the reader, the loader or the view: each must be
// refused with a reason or shown, and never crash, hang or overflow.
class TestHostileInput : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<FakeStudio> m_studio;
    std::unique_ptr<QAReporterPref> m_pref;

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void init()
    {
        m_studio = std::make_unique<FakeStudio>();
        m_studio->setInstallDirectory(m_dir.filePath("nowhere"));
        m_studio->enableOutputWidget();
        m_pref = std::make_unique<QAReporterPref>(m_studio.get());
        QAReporterPref::setInstance(m_pref.get());
        QAModal::setAnswerer([](const QAModalRequest &) { return QVariant(); });
    }

    void cleanup()
    {
        QAModal::clearAnswerer();
        QAReporterPref::setInstance(nullptr);
        m_pref.reset();
        m_studio.reset();
    }

    // A run the reader collects before reporting it is cut at the limit,
    // wherever it sits; many short runs add up to more and still pass.
    void textRunLimit_data()
    {
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<bool>("refused");
        auto node = [](const QByteArray &body) {
            return xrd("<XROD:NODE name=\"n\" type=\"T\">" + body + "</XROD:NODE>");
        };
        const QByteArray longRun(5000, 'a');
        QTest::newRow("text") << node("<P>" + longRun + "</P>") << true;
        QTest::newRow("attribute value") << node("<P style=\"" + longRun + "\">x</P>") << true;
        QTest::newRow("comment") << node("<!--" + longRun + "--><P>x</P>") << true;
        QTest::newRow("CDATA") << node("<P><![CDATA[" + longRun + "]]></P>") << true;
        QTest::newRow("text under the limit") << node("<P>" + QByteArray(3900, 'a') + "</P>") << false;
        QByteArray shortRuns;
        for (int i = 0; i < 100; ++i)
            shortRuns += "<P>" + QByteArray(100, 'a') + "</P>\n";
        QTest::newRow("many short runs") << node(shortRuns) << false;
        // Expanded entities fill the same buffer as the text around them.
        const QByteArray entity = "<?xml version=\"1.0\"?><!DOCTYPE XROD [<!ENTITY e \"" + QByteArray(1000, 'e')
                                  + "\">]><XROD><DOCUMENT name=\"h\"><P ";
        QTest::newRow("entities in one attribute value")
            << QByteArray(entity + "style=\"&e;&e;&e;&e;&e;\">x</P></DOCUMENT></XROD>") << true;
        // In text the reader hands each expansion over on its own.
        QTest::newRow("entities in a text") << QByteArray(entity + ">&e;&e;&e;&e;&e;</P></DOCUMENT></XROD>") << false;
    }

    void textRunLimit()
    {
        QFETCH(QByteArray, document);
        QFETCH(bool, refused);
        QAstXmlRodReader reader;
        reader.setTextRunLimit(4096);
        QBuffer buffer;
        buffer.setData(document);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        const bool ok = reader.parse(&buffer, nullptr, nullptr);
        QCOMPARE(!ok, refused);
        if (refused) {
            QVERIFY2(reader.errorString().contains("longer than 4096 characters"), qPrintable(reader.errorString()));
            QVERIFY2(reader.errorDescription().startsWith("line 1, column "), qPrintable(reader.errorDescription()));
        }
    }

    void endlessInputEnds()
    {
        QAstXmlRodReader reader;
        reader.setTextRunLimit(1 << 20);
        EndlessDevice device;
        QVERIFY(!reader.parse(&device, nullptr, nullptr));
        QVERIFY2(reader.errorString().contains("longer than"), qPrintable(reader.errorString()));
    }

    // A named pipe is refused before anything opens it, as a report, a
    // linked report, an image, an icon or an image in a shown document.
    void namedPipeRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("report name") << "report.xrd";
        QTest::newRow("image name") << "picture.png";
    }

    void namedPipeRefused()
    {
        QFETCH(QString, name);
        const QString pipe = m_dir.filePath(name);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        PipeWatchdog watchdog(QFile::encodeName(pipe));
        std::vector<std::unique_ptr<QAReporterData>> records;
        QCOMPARE(QAReporterLoader::loadFiles({pipe}, records, {m_studio.get(), {}}), QStringList{pipe});
        QVERIFY(records.empty());
        QVERIFY(!QAReporterLoader::loadReportDocument(pipe, {m_studio.get(), {}}));
        QVERIFY2(m_studio->outputText().contains("\t" + pipe + "\n\t\tNot a regular file"),
                 qPrintable(m_studio->outputText()));
        QVERIFY(DViewContext().image(pipe).isNull());
        QVERIFY(pixmapcenter()->getPixmapByFilePath(pipe).isNull());
        QString error;
        const QString text = shownText(
            "<DOCUMENT name=\"d\"><P>before</P><IMAGE src=\"" + QFile::encodeName(pipe) + "\"/><P>after</P></DOCUMENT>",
            &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(text.contains("after"));
        QVERIFY(!watchdog.fired());
    }

    // A named pipe in place of a settings, export configuration or style file is refused
    // without opening it (else the watchdog had to end the open): its reader reports why, or
    // the built-in defaults are used.
    void namedPipeSettingsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("settings") << "resources.xml";
        QTest::newRow("export configuration") << "dhtml.cfg";
        QTest::newRow("styles") << "reporterstyle.aml";
    }

    void namedPipeSettingsRefused()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString pipe = dir.filePath(name);
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        PipeWatchdog watchdog(QFile::encodeName(pipe));
        const QString refusal = QStringLiteral("Not a regular file");
        if (name == QLatin1String("resources.xml")) {
            QString error;
            QVERIFY(!QAResXml::readFile(pipe, &error));
            QVERIFY2(error.contains(refusal), qPrintable(error));
        } else if (name == QLatin1String("dhtml.cfg")) {
            DHTMLConfig config;
            QVERIFY(!config.read(pipe));
            QVERIFY2(config.errors().join(' ').contains(refusal), qPrintable(config.errors().join(' ')));
            QCOMPARE(config.toText(), DHTMLConfig().toText());
        } else {
            const QAReporterPrefStyles fromPipe("Styles", "STYLES", QString(), pipe);
            const QAReporterPrefStyles fromNothing("Styles", "STYLES", QString(), dir.filePath("none.aml"));
            QCOMPARE(fromPipe.styleNames(), fromNothing.styleNames());
            QCOMPARE(fromPipe.styles().size(), fromNothing.styles().size());
        }
        QVERIFY(!watchdog.fired());
    }

    // Graphics with any finite values are drawn with a bounded number of
    // labels; thousands of cells spanning far beyond their table, then many
    // empty rows, are laid out in time linear in cells and rows. Either way
    // the view gets to the paragraph after them.
    void shownToTheEnd_data()
    {
        QTest::addColumn<QByteArray>("aml");
        const auto graphic = [](const QByteArray &content) -> QByteArray {
            return "<DOCUMENT name=\"d\"><GRAPHIC title=\"g\" width=\"300\" height=\"200\">" + content
                   + "</GRAPHIC><P>after</P></DOCUMENT>";
        };
        QTest::newRow("one nanosecond timestamp")
            << graphic("<CURVE><POINT x=\"1\" y=\"1733450000000000000\"/></CURVE>");
        QTest::newRow("two timestamps a nanosecond apart")
            << graphic("<CURVE><POINT x=\"1733450000000000000\" y=\"1\"/>"
                       "<POINT x=\"1733450000000000001\" y=\"2\"/></CURVE>");
        QTest::newRow("whole double range")
            << graphic("<CURVE><POINT x=\"-1.7e308\" y=\"-1.7e308\"/><POINT x=\"1.7e308\" y=\"1.7e308\"/></CURVE>");
        QTest::newRow("largest double alone") << graphic("<CURVE><POINT x=\"1.7976931348623157e308\" y=\"0\"/></CURVE>");
        QTest::newRow("smallest step") << graphic("<CURVE><POINT x=\"0\" y=\"5e-324\"/><POINT x=\"1\" y=\"1e-323\"/></CURVE>");
        QTest::newRow("axis bounds equal and huge")
            << graphic("<AXIS orientation=\"y\" min=\"1e300\" max=\"1e300\"/><CURVE><POINT x=\"0\" y=\"1\"/></CURVE>");
        QByteArray spans = "<DOCUMENT name=\"d\"><TABLE><ROW>";
        for (int i = 0; i < 2000; ++i)
            spans += "<CELL hspan=\"1001\" vspan=\"100001\">c</CELL>";
        spans += "</ROW>";
        for (int i = 0; i < 20000; ++i)
            spans += "<ROW/>";
        QTest::newRow("huge spans") << QByteArray(spans + "</TABLE><P>after</P></DOCUMENT>");
    }

    void shownToTheEnd()
    {
        QFETCH(QByteArray, aml);
        QString error;
        const QString text = shownText(aml, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(text.contains("after"));
    }

    void axisTicks_data()
    {
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::newRow("ordinary") << 0.0 << 350.0;
        QTest::newRow("timestamp widened") << 1733450000000000000.0 << 1733450000000000000.0;
        QTest::newRow("whole range") << -std::numeric_limits<double>::max() << std::numeric_limits<double>::max();
        QTest::newRow("largest alone") << std::numeric_limits<double>::max() << std::numeric_limits<double>::max();
        QTest::newRow("denormals") << 0.0 << std::numeric_limits<double>::denorm_min() * 3;
    }

    void axisTicks()
    {
        QFETCH(double, min);
        QFETCH(double, max);
        DAxisTicks::widen(min, max);
        QVERIFY(std::isfinite(min) && std::isfinite(max) && min < max);
        const std::vector<double> ticks = DAxisTicks::values(min, max, 6);
        QVERIFY(!ticks.empty());
        QVERIFY(int(ticks.size()) <= DAxisTicks::MaxTicks);
        for (size_t i = 0; i < ticks.size(); ++i) {
            QVERIFY(std::isfinite(ticks[i]));
            QVERIFY(i == 0 || ticks[i] > ticks[i - 1]);
            const double at = DAxisTicks::fraction(ticks[i], min, max);
            QVERIFY2(at > -0.01 && at < 1.01, qPrintable(QString::number(at)));
        }
    }

    // Spans place cells as the markup says, but never past the table's real
    // size; rows are "hspan,vspan" cells separated by spaces, ';' between
    // rows; starts are the first column of each cell.
    void spanGrid_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("starts");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("vspan");
        QTest::newRow("plain") << "0,0 0,0 2,0" << "0 1 2" << 5 << false;
        QTest::newRow("slot covered from above") << "0,1 0,0;0,0 0,0" << "0 1;1 2" << 3 << true;
        QTest::newRow("two rows covered") << "1,2;0,0;0,0;0,0" << "0;2;2;0" << 3 << true;
        QTest::newRow("vertical span past the last row") << "0,100000 0,0;0,0" << "0 1;1" << 2 << true;
        QTest::newRow("vertical span in the last row") << "0,0;0,5" << "0;0" << 1 << false;
        QTest::newRow("wide span") << "5000,0 0,0" << "0 1000" << 1000 << false;
        QTest::newRow("negative spans") << "-3,-3 0,0" << "0 1" << 2 << false;
    }

    void spanGrid()
    {
        QFETCH(QString, rows);
        const QStringList table = rows.split(';');
        DViewSpanGrid grid(int(table.size()));
        QStringList starts;
        for (const QString &row : table) {
            grid.startRow();
            QStringList rowStarts;
            for (const QString &cell : row.split(' ', Qt::SkipEmptyParts))
                rowStarts << QString::number(grid.place(cell.section(',', 0, 0).toInt(), cell.section(',', 1, 1).toInt()));
            starts << rowStarts.join(' ');
        }
        QTEST(starts.join(';'), "starts");
        QTEST(grid.columns(), "columns");
        QTEST(grid.hasVSpan(), "vspan");
    }

    void spanGridColumnCounterSaturates()
    {
        DViewSpanGrid grid(1);
        grid.startRow();
        int last = 0;
        for (int i = 0; i < 2200000; ++i)
            last = grid.place(1000, 0);
        QCOMPARE(last, DViewSpanGrid::MaxColumns);
        QCOMPARE(grid.columns(), DViewSpanGrid::MaxColumns);
    }

    // Totals of "sum" never wrap: they count in 64 bits and stick at its
    // limits.
    void sumTotals_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("sum");
        QTest::addColumn<qint64>("total");
        QTest::newRow("passed beyond 32 bits") << "ok" << "2147483647" << qint64(3) * 2147483647;
        QTest::newRow("failed below 32 bits") << "ko" << "-2147483648" << qint64(3) * -2147483648LL;
        QTest::newRow("inconclusive beyond 32 bits") << "NE" << "2147483647" << qint64(3) * 2147483647;
    }

    void sumTotals()
    {
        QFETCH(QString, state);
        QFETCH(QString, sum);
        const QByteArray node = "<XROD:NODE name=\"n\" type=\"T\" state=\"" + state.toLatin1() + "\" sum=\""
                                + sum.toLatin1() + "\"><P>x</P></XROD:NODE>";
        QAstXmlRodReader reader;
        QVERIFY2(reader.parseData(xrd("<P>r</P>" + node.repeated(3))), qPrintable(reader.errorString()));
        const qint64 counted = state == "ok" ? reader.passed() : state == "ko" ? reader.failed() : reader.inconclusive();
        QTEST(counted, "total");
    }

    void totalSaturates_data()
    {
        QTest::addColumn<qint64>("a");
        QTest::addColumn<qint64>("b");
        QTest::addColumn<qint64>("sum");
        const qint64 max = std::numeric_limits<qint64>::max();
        const qint64 min = std::numeric_limits<qint64>::min();
        QTest::newRow("ordinary") << qint64(5) << qint64(-7) << qint64(-2);
        QTest::newRow("past the top") << max << qint64(1) << max;
        QTest::newRow("past the bottom") << min << qint64(-1) << min;
        QTest::newRow("extremes cancel") << max << min << qint64(-1);
    }

    void totalSaturates()
    {
        QFETCH(qint64, a);
        QFETCH(qint64, b);
        QTEST(QAReporterTotal::add(a, b), "sum");
        QTEST(QAReporterTotal::add(b, a), "sum");
    }
};

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
