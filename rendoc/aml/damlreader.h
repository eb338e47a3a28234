#pragma once

#include "rendoc/aml/damlhandler.h"

#include <QByteArray>
#include <QString>

#include <memory>

class DAmlGuard;
class DAmlRunLimiter;
class QIODevice;

// Reads AML (or a format built on it) into its handler and guards against hostile input: for
// each parse a guard stands in front of the handler that refuses excessive nesting and text,
// the parser bounds entity expansion, and a run limiter bounds what is collected before it is
// reported. The parser is expat (DAmlExpatSource), fed in blocks.
class DAmlReader
{
public:
    explicit DAmlReader(DAmlHandler* handler = nullptr);
    virtual ~DAmlReader();
    DAmlReader(const DAmlReader&) = delete;
    DAmlReader& operator=(const DAmlReader&) = delete;

    DAmlHandler* handler() const;

    // Reads the open `device` from where it stands to its end; the XML declaration or a byte
    // order mark tells the encoding (UTF-8 when neither does).
    bool parse(QIODevice* device);
    // Reads a document held in memory as bytes, encoded as for parse(QIODevice*).
    bool parseData(const QByteArray& data);
    // Reads a document held as text; an encoding its declaration names is ignored.
    bool parseText(const QString& text);

    void setStyles(const QList<DStyle*>& styles);
    void setEnabledLocalStyle(bool enabled);
    void setInputSize(qint64 bytes);
    DDocument* documents() const;
    QList<DStyle*> styles() const;
    QStringList styleNames() const;
    bool hasError() const;
    // Why the input was cut short when a run passed its limit, else the guard's error when it
    // stopped the parse, else the handler's, else the XML reader's.
    QString errorString() const;
    // Where the parse stopped on its error (1-based; 0 when unknown).
    int errorLine() const;
    int errorColumn() const;
    // The error text with the place where the parse stopped, for a user told why a file was
    // refused.
    QString errorDescription() const;

    // Longest run of input the reader may collect before it reports it (text, attribute
    // values, comment, CDATA section), in UTF-8 bytes, which never undercount characters.
    void setTextRunLimit(qint64 chars) { m_textRunLimit = chars; }
    qint64 textRunLimit() const { return m_textRunLimit; }

    static constexpr int MaxDepth = 1000;
    static constexpr qint64 MaxTextRun = qint64(1) << 27;
    static constexpr int TextGrowthFactor = 8;
    // Smallest text limit, so that small files may still use entities freely.
    static constexpr qint64 MinTextLimit = qint64(16) * 1024 * 1024;

    // Character limit for an input of the given size in bytes (0 = unknown size).
    static qint64 textLimitFor(qint64 inputBytes);

private:
    // Runs `read` (which feeds a parser) behind a fresh guard and limiter.
    template <typename Read>
    bool run(Read read);

    std::unique_ptr<DAmlHandler> m_handler;
    std::unique_ptr<DAmlGuard> m_guard;
    std::unique_ptr<DAmlRunLimiter> m_limiter;
    qint64 m_textRunLimit = MaxTextRun;
    QString m_readerError;
    int m_errorLine = 0;
    int m_errorColumn = 0;
};
