#include "xrdview/host/xrdtranslations.h"

#include "xrdview/host/xrdpaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// The translation files of the host and of the plug-in, without language and suffix.
const char* const OwnCatalogues[] = { "xrdview", "korvatreporter" };

// "fr_FR.UTF-8@euro" -> "fr_FR"; "C" and "POSIX" -> "".
QString languageOf(QString value)
{
    value = value.section(QLatin1Char('@'), 0, 0).section(QLatin1Char('.'), 0, 0).trimmed();
    if (value == QLatin1String("C") || value == QLatin1String("POSIX"))
        return QString();
    return value;
}

} // namespace

XrdTranslations::XrdTranslations() = default;

XrdTranslations::~XrdTranslations()
{
    clear();
}

QStringList XrdTranslations::languages(const QProcessEnvironment& env)
{
    QStringList wanted = env.value(QStringLiteral("LANGUAGE")).split(QLatin1Char(':'));
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        const QString value = env.value(QString::fromLatin1(name));
        if (!value.isEmpty()) {
            wanted << value;
            break;
        }
    }
    QStringList result;
    for (const QString& entry : std::as_const(wanted)) {
        const QString language = languageOf(entry);
        if (language.isEmpty())
            continue;
        result << language << language.section(QLatin1Char('_'), 0, 0);
    }
    result.removeDuplicates();
    return result;
}

QString XrdTranslations::directory()
{
    return QDir::cleanPath(XrdPaths::installDirectory() + QLatin1Char('/')
                           + QStringLiteral(XRDVIEW_TRANSLATIONS_SUBDIR));
}

QString XrdTranslations::install(const QStringList& languages, const QString& directory)
{
    clear();
    for (const QString& language : languages) {
        if (language == QLatin1String("en") || language.startsWith(QLatin1String("en_")))
            return QString();
        bool found = false;
        for (const char* catalogue : OwnCatalogues)
            found |= load(QString::fromLatin1(catalogue) + QLatin1Char('_') + language, directory);
        if (!found)
            continue;
        // Qt's own texts (standard buttons, dialogs); "qt_" gathers every Qt module.
        const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (!load(QStringLiteral("qt_") + language, qtDir))
            load(QStringLiteral("qtbase_") + language, qtDir);
        return language;
    }
    return QString();
}

bool XrdTranslations::load(const QString& name, const QString& directory)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, directory) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_files << translator->filePath();
    m_translators.push_back(std::move(translator));
    return true;
}

void XrdTranslations::clear()
{
    for (const auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
    m_translators.clear();
    m_files.clear();
}
