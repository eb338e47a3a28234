// Runs a fuzz target once over every file given, or every file in the
// folders given, without libFuzzer: past findings and seeds replayed by
// ctest with the normal compiler. A crash or sanitizer report fails it.
#include "fuzz/fuzzsupport.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv)
{
    FuzzSupport::ensureApplication();
    int ran = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        const QString arg = QFile::decodeName(argv[i]);
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
            files.sort();
        } else {
            files << arg;
        }
        for (const QString& path : files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
                return 1;
            }
            const QByteArray bytes = file.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size()));
            ++ran;
        }
    }
    std::fprintf(stderr, "replayed %d inputs\n", ran);
    return ran > 0 ? 0 : 1;
}
