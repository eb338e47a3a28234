// runnergen: writes synthetic test runner outputs for benchmarks and stress
// tests, in the formats the runners themselves write.
//
//   runnergen --format qtest|lightxml|catch2|tap|gtest|ctrf [--cases N] [--seed S] OUTPUT
//   runnergen --help
//
// qtest and lightxml: Qt Test's XML output (-o FILE,xml, one TestCase root)
// and its lightxml stream, of one test object whose data-driven functions
// have ten rows each (default 100,000 rows); about one row in ten fails
// with a two-line description and a source line, one in twenty-five is
// skipped, one in fifty is an expected failure, and one function in twenty
// writes debug messages or a benchmark result.
// tap, gtest and ctrf: TAP, GoogleTest JSON and CTRF JSON, cases in groups
// of 50 (a TAP subtest, a GoogleTest suite, a CTRF suite path); one case in
// ten fails, with a message and a three-line trace, and one in twenty-five
// is skipped.
// catch2: Catch2's XML reporter output (-r xml -d yes): one group of test
// cases (default 100,000), one in five with two sections, about one in ten
// with a failed check and its expansion.
//
// The output depends only on the options (a fixed xorshift generator).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// xorshift64*: small and fully specified, so a seed gives the same bytes everywhere.
struct Random
{
    std::uint64_t state;

    unsigned upTo(unsigned n)
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return static_cast<unsigned>((state * 2685821657736338717ull) >> 33) % n;
    }
};

const char *const kVerbs[] = {"parses", "rejects", "rounds", "loads", "caches", "merges", "sorts", "escapes"};
const char *const kObjects[] = {"Header", "EmptyInput", "Unicode", "Batch", "Token", "Path", "Date", "Number"};

template <std::size_t N> const char *pick(Random &random, const char *const (&items)[N])
{
    return items[random.upTo(unsigned(N))];
}

const char kUsage[] = "usage: runnergen --format qtest|lightxml|catch2|tap|gtest|ctrf [--cases N] [--seed S] OUTPUT\n";

// Writes the output in pieces, so that memory stays small whatever N is.
struct Writer
{
    std::FILE *file;
    std::string out;

    void add(const std::string &text)
    {
        out += text;
        if (out.size() > (1u << 20))
            flush();
    }
    void flush()
    {
        std::fwrite(out.data(), 1, out.size(), file);
        out.clear();
    }
};

void incident(Writer &w, const char *type, const std::string &tag, unsigned line, const std::string &description)
{
    w.add("    <Incident type=\"" + std::string(type) + "\" file=\"" + (line ? "tests/tst_parser.cpp" : "")
          + "\" line=\"" + std::to_string(line) + "\">\n");
    w.add("      <DataTag><![CDATA[" + tag + "]]></DataTag>\n");
    if (!description.empty())
        w.add("      <Description><![CDATA[" + description + "]]></Description>\n");
    w.add("    </Incident>\n");
}

void qtest(Writer &w, Random &random, unsigned long cases, bool light)
{
    if (!light)
        w.add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TestCase name=\"tst_Parser\">\n");
    w.add("  <Environment>\n    <QtVersion>6.4.2</QtVersion>\n    <QtBuild>Qt 6.4.2 (x86_64 shared release "
          "build)</QtBuild>\n    <QTestVersion>6.4.2</QTestVersion>\n  </Environment>\n");
    const unsigned long functions = (cases + 9) / 10;
    unsigned long written = 0;
    for (unsigned long f = 0; f < functions; ++f) {
        w.add("  <TestFunction name=\"" + std::string(pick(random, kVerbs)) + pick(random, kObjects)
              + std::to_string(f) + "\">\n");
        const unsigned kind = random.upTo(20);
        if (kind == 0)
            w.add("  <Message type=\"qdebug\" file=\"\" line=\"0\">\n    <Description><![CDATA[cache warmed in 3 "
                  "ms]]></Description>\n  </Message>\n");
        for (unsigned row = 0; row < 10 && written < cases; ++row, ++written) {
            const std::string tag = std::string(pick(random, kObjects)) + "-" + std::to_string(row);
            const unsigned verdict = random.upTo(50);
            const unsigned line = 40 + random.upTo(400);
            if (verdict < 5)
                incident(w, "fail", tag, line,
                         "Compared values are not the same\n   Actual   (parse(input)): " + std::to_string(line)
                             + "\n   Expected (expected)    : " + std::to_string(line + 1));
            else if (verdict < 7)
                incident(w, "skip", tag, line, "needs the network");
            else if (verdict == 7)
                incident(w, "xfail", tag, line, "rounding is not fixed yet");
            else
                incident(w, "pass", tag, 0, std::string());
        }
        if (kind == 1)
            w.add("  <BenchmarkResult metric=\"WalltimeMilliseconds\" tag=\"\" value=\"0.0042\" "
                  "iterations=\"65536\" />\n");
        w.add("    <Duration msecs=\"" + std::to_string(random.upTo(900)) + ".25\"/>\n  </TestFunction>\n");
    }
    w.add("  <Duration msecs=\"48211.5\"/>\n");
    if (!light)
        w.add("</TestCase>\n");
}

void expression(Writer &w, bool success, unsigned line, unsigned value, const char *indent)
{
    const std::string in(indent);
    w.add(in + "<Expression success=\"" + (success ? "true" : "false")
          + "\" type=\"CHECK\" filename=\"tests/test_parser.cpp\" line=\"" + std::to_string(line) + "\">\n");
    w.add(in + "  <Original>\n" + in + "    parse(input) == expected\n" + in + "  </Original>\n");
    w.add(in + "  <Expanded>\n" + in + "    " + std::to_string(value) + " == " + std::to_string(value + 1) + "\n"
          + in + "  </Expanded>\n" + in + "</Expression>\n");
}

void catch2(Writer &w, Random &random, unsigned long cases)
{
    w.add("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Catch name=\"test_parser\">\n  <Group name=\"test_parser\">\n");
    unsigned long failed = 0;
    for (unsigned long c = 0; c < cases; ++c) {
        const unsigned line = 10 + random.upTo(2000);
        const bool fails = random.upTo(10) == 0;
        failed += fails;
        w.add("    <TestCase name=\"" + std::string(pick(random, kVerbs)) + " " + pick(random, kObjects) + " "
              + std::to_string(c) + "\" tags=\"[parser]\" filename=\"tests/test_parser.cpp\" line=\""
              + std::to_string(line) + "\">\n");
        if (random.upTo(5) == 0) {
            for (int s = 0; s < 2; ++s) {
                const bool sectionFails = fails && s == 1;
                w.add("      <Section name=\"with " + std::string(pick(random, kObjects))
                      + "\" filename=\"tests/test_parser.cpp\" line=\"" + std::to_string(line + 2 + s) + "\">\n");
                if (sectionFails)
                    expression(w, false, line + 4, line, "        ");
                w.add(std::string("        <OverallResults successes=\"2\" failures=\"") + (sectionFails ? "1" : "0")
                      + "\" expectedFailures=\"0\" durationInSeconds=\"0.0002\"/>\n      </Section>\n");
            }
        } else if (fails) {
            expression(w, false, line + 3, line, "      ");
        }
        w.add(std::string("      <OverallResult success=\"") + (fails ? "false" : "true")
              + "\" durationInSeconds=\"0.00012\"/>\n    </TestCase>\n");
    }
    const std::string counts = "successes=\"" + std::to_string(cases - failed) + "\" failures=\""
                               + std::to_string(failed) + "\" expectedFailures=\"0\"/>\n";
    w.add("    <OverallResults " + counts + "    <OverallResultsCases " + counts + "  </Group>\n");
    w.add("  <OverallResults " + counts + "  <OverallResultsCases " + counts + "</Catch>\n");
}

constexpr long GroupSize = 50;

bool failed(long i)
{
    return i % 10 == 3;
}

bool skipped(long i)
{
    return !failed(i) && i % 25 == 7;
}

void writeTap(std::FILE *out, long cases)
{
    const long groups = (cases + GroupSize - 1) / GroupSize;
    std::fprintf(out, "TAP version 14\n1..%ld\n", groups);
    for (long g = 0; g < groups; ++g) {
        const long first = g * GroupSize;
        const long count = cases - first < GroupSize ? cases - first : GroupSize;
        bool groupFailed = false;
        std::fprintf(out, "# Subtest: group %ld\n", g + 1);
        for (long k = 0; k < count; ++k) {
            const long i = first + k;
            if (failed(i)) {
                groupFailed = true;
                std::fprintf(out,
                             "    not ok %ld - computes value %ld\n      ---\n      duration_ms: 0.%03ld\n"
                             "      location: 'test/group%ld.test.js:%ld:3'\n      error: 'expected %ld, got %ld'\n"
                             "      stack: |-\n        check (test/group%ld.test.js:%ld:9)\n"
                             "        run (node:internal/test_runner/test:796:25)\n"
                             "        next (node:internal/test_runner/test:526:18)\n      ...\n",
                             k + 1, i, i % 1000, g, k + 10, i, i + 1, g, k + 10);
            } else if (skipped(i)) {
                std::fprintf(out, "    ok %ld - computes value %ld # SKIP no fixture\n", k + 1, i);
            } else {
                std::fprintf(out, "    ok %ld - computes value %ld\n", k + 1, i);
            }
        }
        std::fprintf(out, "    1..%ld\n%s %ld - group %ld\n", count, groupFailed ? "not ok" : "ok", g + 1, g + 1);
    }
}

void writeGTest(std::FILE *out, long cases)
{
    const long groups = (cases + GroupSize - 1) / GroupSize;
    std::fprintf(out, "{\n  \"tests\": %ld,\n  \"failures\": %ld,\n  \"disabled\": 0,\n  \"errors\": 0,\n"
                      "  \"timestamp\": \"2026-01-01T00:00:00Z\",\n  \"time\": \"12.5s\",\n  \"name\": \"AllTests\",\n"
                      "  \"testsuites\": [\n", cases, (cases + 6) / 10);
    for (long g = 0; g < groups; ++g) {
        const long first = g * GroupSize;
        const long count = cases - first < GroupSize ? cases - first : GroupSize;
        std::fprintf(out, "    {\n      \"name\": \"Group%ld\",\n      \"tests\": %ld,\n      \"testsuite\": [\n", g, count);
        for (long k = 0; k < count; ++k) {
            const long i = first + k;
            std::fprintf(out,
                         "        {\n          \"name\": \"ComputesValue%ld\",\n          \"file\": \"src\\/group%ld_test.cc\",\n"
                         "          \"line\": %ld,\n          \"status\": \"RUN\",\n          \"result\": \"%s\",\n"
                         "          \"timestamp\": \"2026-01-01T00:00:00Z\",\n          \"time\": \"0s\",\n"
                         "          \"classname\": \"Group%ld\"",
                         i, g, k + 10, skipped(i) ? "SKIPPED" : "COMPLETED", g);
            if (failed(i))
                std::fprintf(out,
                             ",\n          \"failures\": [\n            {\n              \"failure\": \"src\\/group%ld_test.cc:%ld\\n"
                             "Expected equality of these values:\\n  Compute(%ld)\\n    Which is: %ld\\n  %ld\",\n"
                             "              \"type\": \"\"\n            }\n          ]",
                             g, k + 10, i, i + 1, i);
            std::fprintf(out, "\n        }%s\n", k + 1 < count ? "," : "");
        }
        std::fprintf(out, "      ]\n    }%s\n", g + 1 < groups ? "," : "");
    }
    std::fprintf(out, "  ]\n}\n");
}

void writeCtrf(std::FILE *out, long cases)
{
    std::fprintf(out, "{\n  \"reportFormat\": \"CTRF\",\n  \"specVersion\": \"0.0.0\",\n  \"results\": {\n"
                      "    \"tool\": {\n      \"name\": \"jest\"\n    },\n    \"summary\": {\n      \"tests\": %ld,\n"
                      "      \"start\": 1700000000000,\n      \"stop\": 1700000012500\n    },\n    \"tests\": [\n", cases);
    for (long i = 0; i < cases; ++i) {
        const long g = i / GroupSize;
        const char *status = failed(i) ? "failed" : skipped(i) ? "skipped" : "passed";
        std::fprintf(out,
                     "      {\n        \"name\": \"group %ld computes value %ld\",\n        \"duration\": %ld,\n"
                     "        \"status\": \"%s\",\n        \"rawStatus\": \"%s\",\n        \"type\": \"unit\",\n"
                     "        \"filePath\": \"/src/test/group%ld.test.js\",\n        \"retries\": 0,\n"
                     "        \"flaky\": false,\n        \"suite\": \"group%ld.test.js > group %ld\"",
                     g, i, i % 40, status, status, g, g, g);
        if (failed(i))
            std::fprintf(out,
                         ",\n        \"message\": \"Error: expect(received).toBe(expected)\\n\\nExpected: %ld\\nReceived: %ld\",\n"
                         "        \"trace\": \"at Object.toBe (/src/test/group%ld.test.js:%ld:9)\\nat run (jestAdapterInit.js:1834:28)"
                         "\\nat next (jestAdapterInit.js:1774:10)\"",
                         i, i + 1, g, i % GroupSize + 10);
        std::fprintf(out, "\n      }%s\n", i + 1 < cases ? "," : "");
    }
    std::fprintf(out, "    ]\n  }\n}\n");
}

} // namespace

int main(int argc, char **argv)
{
    unsigned long cases = 100000;
    Random random{0x5eed4321abcdull};
    std::string format;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::fputs(kUsage, stdout);
            std::fputs("\nWrites a synthetic Qt Test (xml or lightxml), Catch2 XML, TAP, GoogleTest JSON or CTRF JSON\noutput to OUTPUT,"
                       "for benchmarks and stress tests. The same options always give the same bytes.\n\n"
                       "Options:\n"
                       "  --format F   qtest, lightxml, catch2, tap, gtest or ctrf\n"
                       "  --cases N    number of test cases (Qt Test: data rows, ten a function; default 100000)\n"
                       "  --seed S     seed of the random generator\n"
                       "  -h, --help   print this help and exit\n",
                       stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "--cases") && hasValue)
            cases = std::strtoul(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--format") && hasValue)
            format = argv[++i];
        else if (!std::strcmp(argv[i], "--seed") && hasValue)
            random.state = std::strtoull(argv[++i], nullptr, 10) | 1;
        else if (argv[i][0] != '-' && !path)
            path = argv[i];
        else
            path = nullptr, i = argc, format.clear();
    }
    if (!path || (format != "qtest" && format != "lightxml" && format != "catch2" && format != "tap"
                  && format != "gtest" && format != "ctrf")) {
        std::fprintf(stderr, "%sRun runnergen --help for the options.\n", kUsage);
        return 2;
    }
    std::FILE *file = std::fopen(path, "wb");
    if (!file) {
        std::perror(path);
        return 1;
    }
    const long count = static_cast<long>(cases);
    if (format == "tap")
        writeTap(file, count);
    else if (format == "gtest")
        writeGTest(file, count);
    else if (format == "ctrf")
        writeCtrf(file, count);
    if (format == "tap" || format == "gtest" || format == "ctrf")
        return std::fclose(file) == 0 ? 0 : 1;
    Writer writer{file, std::string()};
    if (format == "catch2")
        catch2(writer, random, cases);
    else
        qtest(writer, random, cases, format == "lightxml");
    writer.flush();
    return std::fclose(file) == 0 ? 0 : 1;
}
