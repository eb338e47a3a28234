#pragma once

#include "rendoc/aml/damlhandler.h"

#include <QXmlSimpleReader>

#include <memory>

class DAmlGuard;
class DAmlRunLimiter;

// A QXmlSimpleReader that owns its AML handler and guards against hostile input: before each
// parse it puts a proxy in front of the handler that refuses excessive nesting (the SAX reader
// recurses once per element level) and runaway entity expansion.
class DAmlReader : public QXmlSimpleReader
{
public:
    explicit DAmlReader(DAmlHandler* handler = nullptr);
    ~DAmlReader() override;

    DAmlHandler* handler() const;

    // Only non-incremental parsing is supported; incremental = true fails.
    bool parse(const QXmlInputSource* input, bool incremental) override;
    bool parse(const QXmlInputSource* input) override;
    bool parse(const QXmlInputSource& input) override;

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
    // values, comment, CDATA section). The XML reader indexes its buffers with 32-bit integers.
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
    // Puts guard in every handler slot of the reader (none when null).
    void installGuard(DAmlGuard* guard);

    std::unique_ptr<DAmlHandler> m_handler;
    std::unique_ptr<DAmlGuard> m_guard;
    std::unique_ptr<DAmlRunLimiter> m_limiter;
    qint64 m_textRunLimit = MaxTextRun;
    QString m_readerError;
};
