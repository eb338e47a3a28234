#pragma once

#include <QCoreApplication>
#include <QLibrary>
#include <QString>
#include <QStringList>

#include <memory>

class QAStViewerPlugin;
class QUnknownInterface;

// Finds the viewer plug-in library, checks its verification text and
// creates its plug-in object through the library's entry points. A library
// that is missing, is no plug-in or was built for something else is
// refused with an error text; nothing of it is called then. A loaded
// library stays loaded for the life of the process, because the plug-in
// keeps process-wide objects that must outlive every window.
class XrdPluginLoader
{
    Q_DECLARE_TR_FUNCTIONS(XrdPluginLoader)

public:
    // The text a compatible plug-in's qt_ucm_query_verification_data gives.
    static const char* const VerificationText;

    XrdPluginLoader();
    ~XrdPluginLoader();

    // The first plug-in library found in `dirs`; empty when there is none.
    static QString findPlugin(const QStringList& dirs);

    // Finds and loads the plug-in from `dirs`; false with errorString() set
    // when it is missing or refused.
    bool loadFrom(const QStringList& dirs);
    // Loads the library at `path`.
    bool load(const QString& path);

    QString errorString() const { return m_error; }
    QString fileName() const { return m_fileName; }
    // The plug-in object, null until a load succeeded.
    QAStViewerPlugin* plugin() const { return m_plugin; }

private:
    bool fail(const QString& error);

    std::unique_ptr<QLibrary> m_library;
    QAStViewerPlugin* m_plugin = nullptr; // holds the creator's reference
    QString m_fileName;
    QString m_error;
};
