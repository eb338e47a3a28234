#pragma once

#include "korvatreporter/data/qareportreader.h"

#include <QString>

#include <functional>

class QAJsonPullReader;
class QAResultsBuilder;

// The frame every JSON results reader shares: the file's bytes under a pull
// reader, a results builder named after the format, the record filled only
// when the whole file was read, and the error or cancel state kept for the
// loader. A reader says what to forget before a new file (`reset`) and walks
// the document from its first token (`readRoot`).
class QAJsonReportReader : public QAReportReader
{
public:
    explicit QAJsonReportReader(const QString &formatName);
    ~QAJsonReportReader() override;

    bool read(QFile &file, QAStudioInterface *studio, const QList<DStyle *> &styles,
              QAReporterData &record) final;
    QString errorString() const final { return m_error; }
    bool canceled() const final { return m_canceled; }

protected:
    // Forgets what the previous file left in the reader.
    virtual void reset() = 0;
    // Reads the document; false with the builder's error when it fails.
    virtual bool readRoot() = 0;

    // Enters the top-level object: false with a reason when the file holds
    // none.
    bool startRoot();
    // Fails with the pull reader's error.
    bool jsonFailed();
    // Reads an array value with `readObject` for each object in it, other
    // values skipped; a value that is not an array is skipped whole.
    bool readObjects(const std::function<bool()> &readObject);

    // The file's name, and the pull reader and builder while a file is read.
    QString m_fileName;
    QAJsonPullReader *m_json = nullptr;
    QAResultsBuilder *m_builder = nullptr;

private:
    const QString m_formatName;
    QString m_error;
    bool m_canceled = false;
};
