#include "sdk/qaresproducer.h"

QAResProducer::~QAResProducer() = default;
