#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

// The translations of the user's language, installed into the application
// for as long as this object lives: the host's (with the SDK's texts), the
// plug-in's (with the document library's) and Qt's own.
class XrdTranslations
{
public:
    XrdTranslations();
    ~XrdTranslations();
    XrdTranslations(const XrdTranslations&) = delete;
    XrdTranslations& operator=(const XrdTranslations&) = delete;

    // The languages the user asked for, most wanted first: the ':'-separated
    // LANGUAGE list, then the first of LC_ALL, LC_MESSAGES and LANG that is
    // set. Codeset and modifier are dropped ("fr_FR.UTF-8@euro" gives "fr_FR"),
    // and each language is followed by its bare form ("fr"). "C" and "POSIX"
    // name no language.
    static QStringList languages(
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
    // Where the host's and the plug-in's .qm files are, in an installation
    // and in the build tree alike.
    static QString directory();

    // Installs the translations of the first of `languages` that the host or
    // the plug-in is translated into, replacing those installed before, and
    // returns that language. English, the language of the texts themselves,
    // and a language without translation install nothing and give "".
    QString install(const QStringList& languages, const QString& directory);

    // Files loaded by the last install(), for diagnostics.
    QStringList loadedFiles() const { return m_files; }

private:
    void clear();
    bool load(const QString& name, const QString& directory);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    QStringList m_files;
};
