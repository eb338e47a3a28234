#include "sdk/qastreportsession.h"

QAStReportSession::~QAStReportSession() = default;
