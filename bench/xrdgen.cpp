// xrdgen: writes synthetic XRD test reports for benchmarks and stress tests.
//
//   xrdgen [--size MB | --cases N] [--deep N] [--seed S] OUTPUT
//   xrdgen --help
//
// The default report is a campaign of scripts, test cases and checks, grown
// until it reaches about --size megabytes (default 60), or until it holds
// exactly --cases test cases. About one test case in
// ten fails and about one in twenty-five is not executed; test cases carry
// sum="1", scripts a "base", every node a TITLE or P and test cases a TAG
// anchor; some test cases hold a TABLE of measurements or source links.
// With --deep N the report is instead N nodes nested inside each other, each
// with one short paragraph, to exercise readers' stack use.
//
// The output depends only on the options: the random generator is our own, so
// a seed gives the same bytes on every platform and standard library.

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// SplitMix64: small, fast and fully specified, unlike the distributions of <random>.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in [0, n); the modulo bias is irrelevant for test data.
    unsigned below(unsigned n) { return static_cast<unsigned>(next() % n); }

    bool oneIn(unsigned n) { return below(n) == 0; }

    template <typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[below(static_cast<unsigned>(N))]; }

private:
    std::uint64_t m_state;
};

// Buffered writer on a C stream; fwrite of large blocks keeps 60 MB to a second or two.
class Out
{
public:
    explicit Out(std::FILE *file) : m_file(file) { m_buf.reserve(kFlushAt + 4096); }

    Out &operator<<(const char *s)
    {
        m_buf += s;
        return flushIfFull();
    }
    Out &operator<<(const std::string &s)
    {
        m_buf += s;
        return flushIfFull();
    }
    Out &operator<<(unsigned long long v)
    {
        char tmp[24];
        std::snprintf(tmp, sizeof tmp, "%llu", v);
        m_buf += tmp;
        return flushIfFull();
    }

    bool finish()
    {
        flush();
        return !m_failed && std::fflush(m_file) == 0;
    }

    // Bytes produced so far, buffered or written.
    unsigned long long size() const { return m_written + m_buf.size(); }

private:
    static constexpr std::size_t kFlushAt = 1 << 20;

    Out &flushIfFull()
    {
        if (m_buf.size() >= kFlushAt)
            flush();
        return *this;
    }
    void flush()
    {
        if (!m_buf.empty() && std::fwrite(m_buf.data(), 1, m_buf.size(), m_file) != m_buf.size())
            m_failed = true;
        m_written += m_buf.size();
        m_buf.clear();
    }

    std::FILE *m_file;
    std::string m_buf;
    unsigned long long m_written = 0;
    bool m_failed = false;
};

const char *const kModules[] = {"parser", "lexer", "layout", "render", "storage", "network",
                                "session", "config", "import", "export", "scheduler", "cache"};
const char *const kSubjects[] = {"empty input", "nested blocks", "unicode escapes", "long lines",
                                 "timeout handling", "retry policy", "concurrent writers",
                                 "invalid header", "large payload", "round trip", "default values",
                                 "locale switch", "disk full", "reconnect", "cold start"};
const char *const kVerbs[] = {"opens", "reads", "writes", "parses", "checks", "sends", "waits for",
                              "compares", "closes", "restarts", "measures", "validates"};
const char *const kObjects[] = {"the input buffer", "the reference file", "the session table",
                                "the response", "the cache entry", "the configuration",
                                "every record", "the output stream", "the log", "the socket",
                                "the checksum &amp; size", "the result set"};
const char *const kTails[] = {"as documented.", "within the time limit.", "twice in a row.",
                              "after a restart.", "with default options.",
                              "using the stored sample (caf\xc3\xa9, na\xc3\xafve).",
                              "for values &lt; 0 and &gt; 255.", "on the second attempt."};
const char *const kQuantities[] = {"item count", "latency (ms)", "memory (MB)", "return code",
                                   "records written", "bytes read", "checksum errors"};
const char *const kSourceFiles[] = {"src/parser.c", "src/lexer.c", "src/layout.c", "src/io/file.c",
                                    "src/net/socket.c", "src/cache.c", "include/api.h"};

std::string sentence(Rng &rng)
{
    std::string s = "The step ";
    s += rng.pick(kVerbs);
    s += ' ';
    s += rng.pick(kObjects);
    s += ' ';
    s += rng.pick(kTails);
    return s;
}

std::string number(unsigned long long v)
{
    return std::to_string(v);
}

// Style name suffix for a verdict: failed and passed text get their own colours.
const char *variant(char state)
{
    return state == 'k' ? " Failed" : state == 'o' ? " Passed" : "";
}

const char *stateText(char state)
{
    return state == 'k' ? "ko" : state == 'o' ? "ok" : "NE";
}

void writeHeader(Out &out, const std::string &name, const std::string &title)
{
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<XROD>\n<DOCUMENT name=\"" << name
        << "\" title=\"" << title << "\">\n<TITLE level=\"0\">" << title << "</TITLE>\n";
}

void writeFooter(Out &out)
{
    out << "</DOCUMENT>\n</XROD>\n";
}

void writeMeasurements(Out &out, Rng &rng, char state)
{
    out << "<TABLE border=\"1\" widths=\"0.4,0.2,0.2,0.2\">\n<ROW><CELL style=\"Array Title\">"
           "Measurement</CELL><CELL style=\"Array Title\">Expected</CELL>"
           "<CELL style=\"Array Title\">Actual</CELL><CELL style=\"Array Title\">Verdict</CELL></ROW>\n";
    const unsigned rows = 2 + rng.below(5);
    const unsigned failedRow = state == 'k' ? rng.below(rows) : rows;
    for (unsigned r = 0; r < rows; ++r) {
        const unsigned expected = 10 + rng.below(990);
        const bool bad = r == failedRow;
        const unsigned actual = bad ? expected + 1 + rng.below(200) : expected - rng.below(expected / 10 + 1);
        out << "<ROW><CELLTEXT text=\"" << rng.pick(kQuantities) << "\"/><CELLTEXT text=\"&lt;= "
            << number(expected) << "\"/><CELLTEXT text=\"" << number(actual) << "\"/>"
            << (bad ? "<CELL style=\"Array Failed\">ko</CELL>" : "<CELL style=\"Array Passed\">ok</CELL>")
            << "</ROW>\n";
    }
    out << "</TABLE>\n";
}

void writeCheck(Out &out, Rng &rng, unsigned long long &nodeNo, char state)
{
    ++nodeNo;
    const unsigned expected = rng.below(1000);
    const unsigned actual = state == 'k' ? expected + 1 + rng.below(50) : expected;
    out << "<XROD:NODE name=\"check " << number(nodeNo) << "\" type=\"Check\" state=\""
        << stateText(state) << "\">\n<P style=\"Normal" << variant(state) << "\">";
    if (state == 'N')
        out << "Not executed: the previous step did not complete.";
    else
        out << "Expected " << rng.pick(kQuantities) << " " << number(expected) << ", actual "
            << number(actual) << ".";
    if (state == 'k' || rng.oneIn(12))
        out << " See <LINK target=\"" << rng.pick(kSourceFiles) << " line "
            << number(1 + rng.below(2000)) << "\">the source</LINK>.";
    out << "</P>\n</XROD:NODE>\n";
}

// One test case with its steps and checks; returns nothing, counts via nodeNo.
void writeTestCase(Out &out, Rng &rng, unsigned long long &nodeNo, unsigned long long tagNo, char state)
{
    ++nodeNo;
    const std::string subject = rng.pick(kSubjects);
    out << "<XROD:NODE name=\"tc" << number(tagNo) << " " << subject << "\" type=\"TestCase\" state=\""
        << stateText(state) << "\" sum=\"1\">\n<TAG name=\"T" << number(tagNo)
        << "\"/>\n<TITLE level=\"2\" style=\"Title2" << variant(state) << "\">Test case T"
        << number(tagNo) << ": " << subject << "</TITLE>\n";
    const unsigned steps = 1 + rng.below(4);
    if (steps == 1) {
        out << "<P>" << sentence(rng) << "</P>\n";
    } else {
        out << "<LIST ordered=\"true\">\n";
        for (unsigned i = 0; i < steps; ++i)
            out << "<P>" << sentence(rng) << "</P>\n";
        out << "</LIST>\n";
    }
    if (rng.oneIn(8))
        writeMeasurements(out, rng, state);
    const unsigned checks = 1 + rng.below(4);
    const unsigned failedCheck = state == 'k' ? rng.below(checks) : checks;
    for (unsigned c = 0; c < checks; ++c) {
        const char checkState = state == 'N' ? 'N' : c == failedCheck ? 'k' : 'o';
        writeCheck(out, rng, nodeNo, checkState);
    }
    out << "</XROD:NODE>\n";
}

// Grows the campaign to targetBytes, or to exactly maxCases test cases when
// that is not 0.
bool writeCampaign(Out &out, Rng &rng, unsigned long long targetBytes, unsigned long long maxCases)
{
    writeHeader(out, "xrdgen", "Generated campaign");
    out << "<XROD:NODE name=\"generated campaign\" type=\"Campaign\" state=\"ko\">\n"
           "<TITLE level=\"1\" style=\"Title1 Failed\">Campaign</TITLE>\n"
           "<P>Synthetic report written by xrdgen.</P>\n";
    unsigned long long nodeNo = 1;
    unsigned long long tagNo = 0;
    unsigned scriptNo = 0;
    // The footer adds a few bytes; stop adding scripts once the target is reached.
    const auto more = [&] { return maxCases ? tagNo < maxCases : out.size() < targetBytes; };
    while (more() || scriptNo == 0) {
        ++scriptNo;
        ++nodeNo;
        // Verdicts are drawn first so the script's own state can sum them up.
        std::vector<char> states(5 + rng.below(26));
        if (maxCases && states.size() > maxCases - tagNo)
            states.resize(std::size_t(maxCases - tagNo));
        bool anyFailed = false;
        bool anyUnknown = false;
        for (std::size_t i = 0; i < states.size(); ++i) {
            char s = rng.oneIn(10) ? 'k' : rng.oneIn(25) ? 'N' : 'o';
            if (scriptNo == 1 && i == 1)
                s = 'k'; // the campaign is declared failed, so one failure is guaranteed
            states[i] = s;
            anyFailed = anyFailed || s == 'k';
            anyUnknown = anyUnknown || s == 'N';
        }
        const char scriptState = anyFailed ? 'k' : anyUnknown ? 'N' : 'o';
        const std::string module = rng.pick(kModules);
        out << "<XROD:NODE name=\"" << module << "_" << number(scriptNo) << "\" type=\"Script\" state=\""
            << stateText(scriptState) << "\" base=\"/home/ci/project/\">\n<TITLE level=\"1\" style=\"Title1"
            << variant(scriptState) << "\">Script " << module << "_" << number(scriptNo)
            << "</TITLE>\n<P>Script file <LINK target=\"tests/" << module << "_tests.py line "
            << number(1 + rng.below(400)) << "\">tests/" << module << "_tests.py</LINK>, "
            << number(states.size()) << " test cases.</P>\n";
        for (char s : states)
            writeTestCase(out, rng, nodeNo, ++tagNo, s);
        out << "</XROD:NODE>\n";
    }
    out << "</XROD:NODE>\n";
    writeFooter(out);
    return true;
}

bool writeDeep(Out &out, Rng &rng, unsigned long long depth)
{
    writeHeader(out, "xrdgen_deep", "Deeply nested report");
    for (unsigned long long i = 1; i <= depth; ++i) {
        const char state = rng.oneIn(10) ? 'k' : 'o';
        out << "<XROD:NODE name=\"level " << number(i) << "\" type=\"Check\" state=\"" << stateText(state)
            << "\"><P>Level " << number(i) << ".</P>\n";
    }
    for (unsigned long long i = 0; i < depth; ++i)
        out << "</XROD:NODE>";
    out << "\n";
    writeFooter(out);
    return true;
}

const char kUsage[] = "usage: xrdgen [--size MB | --cases N] [--deep N] [--seed S] OUTPUT\n";

// A wrong command line: the usage line and a pointer to --help, on standard error.
void usage()
{
    std::fprintf(stderr, "%sRun xrdgen --help for the options.\n", kUsage);
}

// --help: what the generator writes and every option, on standard output.
void help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\n"
               "Writes a synthetic XRD test report to OUTPUT, for benchmarks and stress tests.\n"
               "The same options always give the same bytes.\n"
               "\n"
               "Options:\n"
               "  --size MB    grow the campaign to about MB megabytes (default 60)\n"
               "  --cases N    write exactly N test cases instead of growing to a size\n"
               "  --deep N     write N nodes nested inside each other instead of a campaign\n"
               "  --seed S     seed of the random generator (default 1)\n"
               "  -h, --help   print this help and exit\n",
               stdout);
}

bool parseNumber(const char *text, double &value)
{
    char *end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return errno == 0 && end != text && *end == '\0' && value >= 0;
}

} // namespace

int main(int argc, char **argv)
{
    double sizeMb = 60;
    double cases = 0;
    double deep = -1;
    double seed = 1;
    const char *output = nullptr;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            help();
            return 0;
        }
        if (std::strcmp(argv[i], "--size") == 0 && hasValue) {
            if (!parseNumber(argv[++i], sizeMb) || sizeMb > 100000) {
                std::fprintf(stderr, "xrdgen: bad --size value\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--cases") == 0 && hasValue) {
            if (!parseNumber(argv[++i], cases) || cases < 1 || cases > 1e9) {
                std::fprintf(stderr, "xrdgen: bad --cases value\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--deep") == 0 && hasValue) {
            if (!parseNumber(argv[++i], deep) || deep > 1e9) {
                std::fprintf(stderr, "xrdgen: bad --deep value\n");
                return 2;
            }
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            if (!parseNumber(argv[++i], seed) || seed > 1.8e19) {
                std::fprintf(stderr, "xrdgen: bad --seed value\n");
                return 2;
            }
        } else if (argv[i][0] == '-' || output) {
            usage();
            return 2;
        } else {
            output = argv[i];
        }
    }
    if (!output) {
        usage();
        return 2;
    }

    std::FILE *file = std::fopen(output, "wb");
    if (!file) {
        std::fprintf(stderr, "xrdgen: cannot write %s: %s\n", output, std::strerror(errno));
        return 1;
    }
    Rng rng(static_cast<std::uint64_t>(seed));
    Out out(file);
    if (deep >= 0)
        writeDeep(out, rng, static_cast<unsigned long long>(deep));
    else
        writeCampaign(out, rng, static_cast<unsigned long long>(sizeMb * 1024 * 1024),
                      static_cast<unsigned long long>(cases));
    const bool ok = out.finish();
    const bool closed = std::fclose(file) == 0;
    if (!ok || !closed) {
        std::fprintf(stderr, "xrdgen: error while writing %s\n", output);
        return 1;
    }
    return 0;
}
