#pragma once

#include "rendoc/damlhandler.h"

#include <QXmlSimpleReader>

#include <memory>

class DAmlGuard;

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
    // The guard's error when it stopped the parse, else the handler's, else the XML reader's.
    QString errorString() const;

    static constexpr int MaxDepth = 1000;
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
    QString m_readerError;
};
