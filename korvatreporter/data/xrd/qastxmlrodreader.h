#pragma once

#include "rendoc/aml/damlreader.h"

#include <QStringList>

class DDocument;
class QAReporterDataTree;
class QAStudioInterface;
class QAstXmlRodHandler;
class QFile;
class QIODevice;

// Reads one XRD file: a guarded AML reader driving a QAstXmlRodHandler,
// with the studio's progress display sized to the file (one step per 50
// bytes, one step consumed per start tag).
class QAstXmlRodReader : public DAmlReader
{
public:
    static constexpr int BytesPerStep = 50;

    QAstXmlRodReader();
    ~QAstXmlRodReader() override;

    using DAmlReader::parse;
    // Parses `input` to its end. With both `file` (the input, or the file it
    // reads; it sizes the progress) and `studio` given the studio shows
    // progress, and its cancel button stops the parse (false, with
    // canceled() true); either may be null.
    bool parse(QIODevice *input, QFile *file, QAStudioInterface *studio);

    QAstXmlRodHandler *rodHandler() const { return m_rodHandler; }

    // Results of a successful parse.
    QAReporterDataTree *dataTree() const;
    QAReporterDataTree *takeDataTree();
    QStringList types() const;
    qint64 passed() const;
    qint64 failed() const;
    qint64 inconclusive() const;
    bool canceled() const;
    // The first document read (later ones chained to it); the caller owns it.
    DDocument *takeDocument();

private:
    QAstXmlRodHandler *m_rodHandler; // owned by the DAmlReader base
};
