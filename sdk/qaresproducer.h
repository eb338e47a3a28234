#pragma once

class QARes;

// Something that hands the host a resource tree to store, e.g. a plug-in's
// preference values.
class QAResProducer
{
public:
    virtual ~QAResProducer();

    // Builds a new resource tree under `tag`; the caller owns the result.
    virtual QARes* produceResources(const char* tag) = 0;
};
