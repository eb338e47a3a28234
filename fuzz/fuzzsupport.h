#pragma once

#include "korvatreporter/data/qareporterloader.h"
#include "korvatreporter/data/qareporterreadcontext.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a GUI application on the offscreen
// platform, made once before the first input, and quiet Qt warnings (a
// fuzzer feeds mostly broken input, and the warnings would drown its log).
class FuzzSupport
{
public:
    static void ensureApplication();
    // Writes the input to this process's temporary file ending in suffix
    // (the same file for every input), so that it goes through the real
    // loader; the file's path, or an empty string when it cannot be written.
    static QString writeInput(const uint8_t* data, size_t size, const QString& suffix);
    // Makes the application, writes the input as above and reads it into
    // record through the real loader. Canceled when the input could not be
    // written: there is nothing to check then.
    static QAReporterLoader::ReadResult readInput(const uint8_t* data, size_t size,
                                                  const QString& suffix, QAReporterData& record,
                                                  QString* reason = nullptr);
    // The check of every format reader's target: reads the input through the
    // real loader (which picks the format by content whatever the suffix) and
    // fails when a refused file comes without a reason or a read one has
    // negative totals.
    static void checkLoaderRead(const uint8_t* data, size_t size, const QString& suffix);
    // The same for the XML formats, read twice: the parser in turn with the
    // reader, and on a thread of its own handing recorded events over; the
    // two reads must agree on the outcome, the reason and the totals.
    static void checkLoaderReadBothWays(const uint8_t* data, size_t size, const QString& suffix);
    // Reads the record's file again in the reduced mode `context` asks for (totals only, tests
    // only) into `reduced` and fails unless that read judges and counts the file as the full
    // read did, which ended in `result` for `reason`; `mode` names the read in the failure.
    static void rereadAlike(QAReporterData& reduced, const QAReporterData& record,
                            const QAReporterReadContext& context, QAReporterLoader::ReadResult result,
                            const QString& reason, const char* mode);
    // Reads the record's file again for its totals alone, as --summary does, and fails unless
    // that read judges and counts the file as the full read did (`result`, `reason`).
    static void checkTotalsOnly(const QAReporterData& record, QAReporterLoader::ReadResult result,
                                const QString& reason);
    // Reads the record's file again for its node tree alone, as --print-tree does, and fails
    // unless that read judges and counts the file as the full read did (`result`, `reason`)
    // and builds the same tree, node for node.
    static void checkTreeOnly(const QAReporterData& record, QAReporterLoader::ReadResult result,
                              const QString& reason);
    // Reports a broken property of the code under test and aborts, which
    // libFuzzer and the replay ctest both count as a finding. The message
    // goes to standard error even while Qt's messages are silenced.
    [[noreturn]] static void fail(const char* what);
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
