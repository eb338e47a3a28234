// runnergen: writes large synthetic test runner outputs for benchmarks:
// TAP, GoogleTest JSON or CTRF JSON with a given number of test cases.
//
//   runnergen --format tap|gtest|ctrf --cases N OUTPUT
//   runnergen --help
//
// Cases come in groups of 50 (a TAP subtest, a GoogleTest suite, a CTRF
// suite path); one case in ten fails, with a message and a three-line
// trace, and one in twenty-five is skipped. The output depends only on the
// options. Plain C++, no Qt.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr long GroupSize = 50;

void help()
{
    std::printf("Usage: runnergen --format tap|gtest|ctrf --cases N OUTPUT\n"
                "Writes N test cases in groups of 50, one in ten failed, one in\n"
                "twenty-five skipped, in the runner format given.\n");
}

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
    const char *format = nullptr;
    long cases = 0;
    const char *output = nullptr;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            help();
            return 0;
        }
        if (std::strcmp(argv[i], "--format") == 0 && hasValue) {
            format = argv[++i];
        } else if (std::strcmp(argv[i], "--cases") == 0 && hasValue) {
            char *end = nullptr;
            cases = std::strtol(argv[++i], &end, 10);
            if (*end || cases < 1 || cases > 100000000) {
                std::fprintf(stderr, "runnergen: bad --cases value\n");
                return 2;
            }
        } else if (!output && argv[i][0] != '-') {
            output = argv[i];
        } else {
            help();
            return 2;
        }
    }
    const std::string kind = format ? format : "";
    if (!output || cases < 1 || (kind != "tap" && kind != "gtest" && kind != "ctrf")) {
        help();
        return 2;
    }
    std::FILE *out = std::fopen(output, "wb");
    if (!out) {
        std::fprintf(stderr, "runnergen: cannot write %s\n", output);
        return 1;
    }
    if (kind == "tap")
        writeTap(out, cases);
    else if (kind == "gtest")
        writeGTest(out, cases);
    else
        writeCtrf(out, cases);
    return std::fclose(out) == 0 ? 0 : 1;
}
