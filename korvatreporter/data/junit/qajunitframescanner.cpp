#include "korvatreporter/data/junit/qajunitframescanner.h"

namespace {

bool isWord(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isPath(char16_t c)
{
    return isWord(c) || c == u'.' || c == u'$' || c == u'/' || c == u'\\' || c == u'-';
}

// Whether [begin, end) ends in a word character, a dot and one or more word
// characters, the dot being the last one of the range.
bool endsInExtension(QStringView text, qsizetype begin, qsizetype end)
{
    qsizetype dot = end;
    while (dot > begin && isWord(text[dot - 1].unicode()))
        --dot;
    // `dot` is now just after the last non-word character of the range.
    if (dot == end || dot - begin < 2 || text[dot - 1] != u'.')
        return false;
    return isWord(text[dot - 2].unicode());
}

qsizetype digitsFrom(QStringView line, qsizetype at)
{
    qsizetype end = at;
    while (end < line.size() && isDigit(line[end].unicode()))
        ++end;
    return end;
}

} // namespace

bool QAJUnitFrameScanner::next(QStringView line, qsizetype from, Match *match)
{
    for (qsizetype at = from; at < line.size(); ++at) {
        const char16_t c = line[at].unicode();
        if (c == u'F' && python(line, at, match))
            return true;
        if (isPath(c) && (at == from || !isPath(line[at - 1].unicode())) && file(line, at, match))
            return true;
    }
    return false;
}

bool QAJUnitFrameScanner::python(QStringView line, qsizetype at, Match *match)
{
    static constexpr QStringView open = u"File \"";
    static constexpr QStringView close = u"\", line ";
    if (!line.mid(at).startsWith(open))
        return false;
    const qsizetype nameStart = at + open.size();
    const qsizetype quote = line.indexOf(u'"', nameStart);
    // The name is everything up to the next quote, with an extension.
    if (quote < 0 || !line.mid(quote).startsWith(close))
        return false;
    qsizetype dot = quote;
    while (dot > nameStart && isWord(line[dot - 1].unicode()))
        --dot;
    if (dot == quote || dot - nameStart < 2 || line[dot - 1] != u'.')
        return false;
    const qsizetype numberStart = quote + close.size();
    const qsizetype numberEnd = digitsFrom(line, numberStart);
    if (numberEnd == numberStart)
        return false;
    match->start = nameStart;
    match->length = quote - nameStart;
    match->name = line.mid(nameStart, quote - nameStart);
    match->number = line.mid(numberStart, numberEnd - numberStart);
    match->end = numberEnd;
    return true;
}

bool QAJUnitFrameScanner::file(QStringView line, qsizetype at, Match *match)
{
    qsizetype runEnd = at;
    while (runEnd < line.size() && isPath(line[runEnd].unicode()))
        ++runEnd;
    // The name is the whole run: neither ':' nor '(' is a path character.
    if (runEnd + 1 >= line.size() || !endsInExtension(line, at, runEnd))
        return false;
    const qsizetype numberStart = runEnd + 1;
    const qsizetype numberEnd = digitsFrom(line, numberStart);
    if (numberEnd == numberStart)
        return false;
    qsizetype end = numberEnd;
    if (line[runEnd] == u'(') {
        if (numberEnd >= line.size() || line[numberEnd] != u')')
            return false;
        end = numberEnd + 1;
    } else if (line[runEnd] != u':') {
        return false;
    }
    match->start = at;
    match->length = end - at;
    match->name = line.mid(at, runEnd - at);
    match->number = line.mid(numberStart, numberEnd - numberStart);
    match->end = end;
    return true;
}
