#pragma once

#include "sdk/qasttestresult.h"

#include <QString>

#include <optional>

// The node types and verdict words every reader of runners' results writes into its nodes,
// and how two verdicts combine. One definition, so that the readers agree with each other
// and with the filter, the summary and the exports that look for these words.
namespace QAResultWords {

inline const QString TypeSuite = QStringLiteral("TestSuite");
inline const QString TypeCase = QStringLiteral("TestCase");
inline const QString StateOk = QStringLiteral("ok");
inline const QString StateKo = QStringLiteral("ko");
inline const QString StateNe = QStringLiteral("NE");

// The worse of two verdicts: ko over NE over ok; a null verdict stands for none yet.
const QString &worse(const QString &a, const QString &b);

// The test verdict a node's state word stands for; none for any other word.
std::optional<QAStTestResult::Verdict> verdictOf(const QString &state);

} // namespace QAResultWords
