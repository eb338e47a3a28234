#include "sdk/qastudiointerface.h"

const QUuid IID_QAStudioInterface(0xcedeb1c6, 0xd23b, 0x431d, 0xa0, 0x38, 0x12, 0x75, 0xcd, 0x05, 0x69, 0x13);

QAStudioInterface::~QAStudioInterface() = default;

bool QAStudioInterface::progressCanceled()
{
    return false;
}
