#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <memory>

class QARes;

// Stores a resource tree as XML and reads it back. Writing and reading
// work without recursion; reading refuses input that is malformed, nested
// deeper than MaxDepth or larger than MaxBytes, with an error text.
class QAResXml
{
    Q_DECLARE_TR_FUNCTIONS(QAResXml)

public:
    static constexpr int MaxDepth = 1000;
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    // XML text of `root` and its subtree (not its next siblings).
    static QByteArray write(const QARes* root);
    // The tree stored in `xml`, or null with `*error` set.
    static std::unique_ptr<QARes> read(const QByteArray& xml, QString* error = nullptr);

    static bool writeFile(const QARes* root, const QString& path, QString* error = nullptr);
    static std::unique_ptr<QARes> readFile(const QString& path, QString* error = nullptr);
};
