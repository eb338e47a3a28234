// junitgen: writes synthetic JUnit XML results for benchmarks and stress tests.
//
//   junitgen [--cases N] [--output-lines L] [--seed S] OUTPUT
//   junitgen --help
//
// The results are a testsuites root with suites of 200 test cases each (default
// 100,000 cases, about 25 MB), in the shape Maven Surefire and pytest write:
// test cases with classname, name, file, line and time; about one in ten
// fails with a message and a stack trace, one in fifty is an error, one in
// twenty-five is skipped, one in forty passed only on a rerun
// (flakyFailure), and one in twenty has a few lines of system-out. Every
// suite has properties and counts. With --output-lines L one case in a
// thousand also carries L lines of system-out, to exercise long outputs.
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

const char *const kPackages[] = {"billing",   "catalog", "checkout", "identity",
                                 "inventory", "search",  "shipping", "reports"};
const char *const kClasses[] = {"ServiceTest", "RepositoryTest", "ControllerTest",
                                "MapperTest",  "ValidatorTest",  "ClientTest"};
const char *const kVerbs[] = {"creates", "rejects", "updates",   "loads",  "caches",
                              "retries", "exports", "validates", "merges", "cancels"};
const char *const kObjects[] = {"Order",   "EmptyCart",    "Invoice",  "UnicodeName", "LargeBatch",
                                "Session", "ExpiredToken", "Discount", "Refund",      "Address"};

template <std::size_t N> const char *pick(Random &random, const char *const (&items)[N])
{
    return items[random.upTo(unsigned(N))];
}

const char kUsage[] = "usage: junitgen [--cases N] [--output-lines L] [--seed S] OUTPUT\n";

// A wrong command line: the usage line and a pointer to --help, on standard error.
void usage()
{
    std::fprintf(stderr, "%sRun junitgen --help for the options.\n", kUsage);
}

// --help: what the generator writes and every option, on standard output.
void help()
{
    std::fputs(kUsage, stdout);
    std::fputs("\n"
               "Writes synthetic JUnit XML results to OUTPUT, for benchmarks and stress tests.\n"
               "The same options always give the same bytes.\n"
               "\n"
               "Options:\n"
               "  --cases N         number of test cases, 200 to a suite (default 100000)\n"
               "  --output-lines L  give one case in a thousand L lines of system-out (default 0)\n"
               "  --seed S          seed of the random generator\n"
               "  -h, --help        print this help and exit\n",
               stdout);
}

// What the command line asks for.
struct Options
{
    unsigned long cases = 100000;
    unsigned long outputLines = 0;
    Random random{0x5eed1234abcdull};
    const char *path = nullptr;
};

// Reads the command line into options; returns the exit status when the program should stop
// here (after --help, or on a wrong command line), else -1.
int parseOptions(int argc, char **argv, Options &options)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            help();
            return 0;
        }
        if (!std::strcmp(argv[i], "--cases") && hasValue)
            options.cases = std::strtoul(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--output-lines") && hasValue)
            options.outputLines = std::strtoul(argv[++i], nullptr, 10);
        else if (!std::strcmp(argv[i], "--seed") && hasValue)
            options.random.state = std::strtoull(argv[++i], nullptr, 10) | 1;
        else if (argv[i][0] != '-' && !options.path)
            options.path = argv[i];
        else {
            usage();
            return 2;
        }
    }
    if (!options.path) {
        usage();
        return 2;
    }
    return -1;
}

std::string num(unsigned long value)
{
    return std::to_string(value);
}

std::string seconds(unsigned millis)
{
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u", millis / 1000, millis % 1000);
    return std::string(text);
}

// What a suite's opening tag counts.
struct SuiteCounts
{
    unsigned failures = 0, errors = 0, skipped = 0, millisTotal = 0;
};

// One test case of suite, numbered index, with its verdict, output and time drawn from random
// and added to counts.
std::string testCase(Random &random, const std::string &suite, unsigned long index,
                     unsigned long outputLines, SuiteCounts &counts)
{
    const unsigned roll = random.upTo(1000);
    const unsigned millis = random.upTo(2500);
    counts.millisTotal += millis;
    const std::string name = std::string(pick(random, kVerbs)) + pick(random, kObjects) + num(index);
    const unsigned line = 10 + random.upTo(900);
    std::string text = "    <testcase classname=\"" + suite + "\" name=\"" + name + "\" file=\"src/test/java/"
                       + suite + ".java\" line=\"" + num(line) + "\" time=\"" + seconds(millis) + "\"";
    std::string inner;
    if (roll < 100) {
        ++counts.failures;
        inner += "      <failure message=\"expected: &lt;" + num(line) + "&gt; but was: &lt;" + num(line + 1)
                 + "&gt;\" type=\"org.opentest4j.AssertionFailedError\">"
                   "org.opentest4j.AssertionFailedError: expected: &lt;"
                 + num(line) + "&gt; but was: &lt;" + num(line + 1)
                 + "&gt;\n\tat org.junit.jupiter.api.AssertEquals.failNotEqual(AssertEquals.java:197)\n"
                   "\tat "
                 + suite + '.' + name + '(' + suite + ".java:" + num(line) + ")\n</failure>\n";
    } else if (roll < 120) {
        ++counts.errors;
        inner += "      <error message=\"Connection refused\" type=\"java.net.ConnectException\"><![CDATA["
                 "java.net.ConnectException: Connection refused\n\tat "
                 "java.base/sun.nio.ch.Net.connect0(Native Method)\n"
                 "\tat "
                 + suite + '.' + name + '(' + suite + ".java:" + num(line) + ")\n]]></error>\n";
    } else if (roll < 160) {
        ++counts.skipped;
        inner += "      <skipped message=\"disabled until the sandbox is back\"/>\n";
    } else if (roll < 185) {
        inner += "      <flakyFailure message=\"Read timed out\" type=\"java.net.SocketTimeoutException\">"
                 "<stackTrace>java.net.SocketTimeoutException: Read timed "
                 "out</stackTrace></flakyFailure>\n";
    }
    if (roll % 20 == 7) {
        inner += "      <system-out><![CDATA[";
        for (int l = 0; l < 4; ++l)
            inner += "12:04:3" + num(l) + ".118 [main] INFO  " + suite + " - step " + num(l) + " done\n";
        inner += "]]></system-out>\n";
    }
    if (outputLines && index % 1000 == 999) {
        inner += "      <system-out>";
        for (unsigned long l = 0; l < outputLines; ++l)
            inner += "  line " + num(l) + " of the captured output\n";
        inner += "</system-out>\n";
    }
    text += inner.empty() ? "/>\n" : ">\n" + inner + "    </testcase>\n";
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    const int status = parseOptions(argc, argv, options);
    if (status >= 0)
        return status;
    std::FILE *file = std::fopen(options.path, "wb");
    if (!file) {
        std::perror(options.path);
        return 1;
    }

    Random &random = options.random;
    std::string out;
    out.reserve(1 << 21);
    const auto flush = [&] {
        std::fwrite(out.data(), 1, out.size(), file);
        out.clear();
    };

    const unsigned long perSuite = 200;
    const unsigned long cases = options.cases;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"generated results\" tests=\""
           + num(cases) + "\">\n";
    for (unsigned long first = 0; first < cases; first += perSuite) {
        const unsigned long count = cases - first < perSuite ? cases - first : perSuite;
        const std::string suite = std::string("org.example.") + pick(random, kPackages) + '.'
                                  + pick(random, kClasses) + num(first / perSuite);
        // The case verdicts are drawn first, so the suite's counts lead it as runners write them.
        std::string body;
        SuiteCounts counts;
        for (unsigned long c = 0; c < count; ++c)
            body += testCase(random, suite, first + c, options.outputLines, counts);
        out += "  <testsuite name=\"" + suite + "\" tests=\"" + num(count) + "\" failures=\""
               + num(counts.failures) + "\" errors=\"" + num(counts.errors) + "\" skipped=\""
               + num(counts.skipped) + "\" time=\"" + seconds(counts.millisTotal)
               + "\" timestamp=\"2026-11-30T09:14:02\" hostname=\"ci-runner-3\">\n"
                 "    <properties>\n      <property name=\"java.version\" value=\"17.0.9\"/>\n"
                 "      <property name=\"os.name\" value=\"Linux\"/>\n    </properties>\n";
        out += body;
        out += "  </testsuite>\n";
        if (out.size() > (1u << 20))
            flush();
    }
    out += "</testsuites>\n";
    flush();
    const bool ok = std::fflush(file) == 0 && !std::ferror(file);
    std::fclose(file);
    return ok ? 0 : 1;
}
