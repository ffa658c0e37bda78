// Runs the built tavelko-cli as a process: its stdout, stderr and exit status for given
// arguments and standard input.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "json_check.h"

extern char** environ;

namespace {

struct TRun {
    int status = -1;  // exit status; -1 when the program did not exit normally
    int signal = 0;   // the signal that ended it; 0 when it exited
    std::string out;
    std::string err;
    double seconds = 0;
};

// What SIGPIPE does in the started program.
enum class EPipeSignal { kDefault, kIgnored, kBlocked };

// How the program is started besides its arguments.
struct TStart {
    std::string input = "";    // standard input
    rlim_t addressSpace = 0;   // the largest address space in bytes; 0: this process's
    const char* outPath = "";  // standard output goes to this file; "": captured
    bool closedPipe = false;   // standard output is a pipe whose reader has gone
    EPipeSignal sigpipe = EPipeSignal::kDefault;
    // The program's LANG, without LANGUAGE and the LC_ variables ("": no LANG either);
    // null: this process's environment.
    const char* lang = nullptr;
};

// The environment for the program: this process's, or the locale the start asks for.
std::vector<std::string> ChildEnvironment(const TStart& start) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view v(*e);
        const bool locale =
            v.starts_with("LANG=") || v.starts_with("LANGUAGE=") || v.starts_with("LC_");
        if (start.lang == nullptr || !locale) env.emplace_back(v);
    }
    if (start.lang != nullptr && *start.lang != '\0')
        env.push_back(std::string("LANG=") + start.lang);
    return env;
}

// A temporary file removed at the end of the scope.
class TTempFile {
  public:
    explicit TTempFile(const std::string& content = "") {
        const char* dir = std::getenv("TMPDIR");
        path_ =
            std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/tavelko-cli-test-XXXXXX";
        const int fd = mkstemp(path_.data());
        if (fd < 0) throw std::runtime_error("mkstemp failed");
        if (!content.empty() &&
            write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
            close(fd);
            throw std::runtime_error("write failed");
        }
        close(fd);
    }
    ~TTempFile() { unlink(path_.c_str()); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    const std::string& path() const { return path_; }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

  private:
    std::string path_;
};

// In the started child: opens path as the descriptor fd; false on failure.
bool OpenAs(const char* path, int flags, int fd) {
    const int opened = open(path, flags);
    return opened >= 0 && dup2(opened, fd) == fd && close(opened) == 0;
}

// In the started child: sets up standard input and output, SIGPIPE and the address
// space as asked, then runs the program. Only async-signal-safe calls.
[[noreturn]] void StartChild(const TStart& start, const char* in, const char* out, const char* err,
                             int pipeWriter, char** argv, char** envp) {
    const bool files = OpenAs(in, O_RDONLY, STDIN_FILENO) &&
                       (pipeWriter >= 0 ? dup2(pipeWriter, STDOUT_FILENO) == STDOUT_FILENO
                                        : OpenAs(out, O_WRONLY | O_TRUNC, STDOUT_FILENO)) &&
                       OpenAs(err, O_WRONLY | O_TRUNC, STDERR_FILENO);
    if (!files) _exit(127);
    struct sigaction action {};
    action.sa_handler = start.sigpipe == EPipeSignal::kIgnored ? SIG_IGN : SIG_DFL;
    sigaction(SIGPIPE, &action, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    sigprocmask(start.sigpipe == EPipeSignal::kBlocked ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
    if (start.addressSpace > 0) {
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = start.addressSpace;
        setrlimit(RLIMIT_AS, &limit);
    }
    execve(TAVELKO_CLI_PATH, argv, envp);
    _exit(127);
}

// Runs the program with the arguments, started as asked. The address space is limited in
// the child alone: this process, holding a 100 MB input, is larger than the smallest limits.
TRun RunCli(const std::vector<std::string>& args, const TStart& start = {}) {
    TTempFile in(start.input), out, err;
    int pipeFds[2] = {-1, -1};
    if (start.closedPipe && pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    if (start.closedPipe) close(pipeFds[0]);
    std::vector<std::string> all{TAVELKO_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = ChildEnvironment(start);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string outPath = *start.outPath != '\0' ? start.outPath : out.path();

    TRun r;
    const auto begin = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        StartChild(start, in.path().c_str(), outPath.c_str(), err.path().c_str(), pipeFds[1],
                   argv.data(), envp.data());
    }
    if (start.closedPipe) close(pipeFds[1]);
    if (pid < 0) throw std::runtime_error("fork failed");
    int status = 0;
    waitpid(pid, &status, 0);
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    r.out = out.Read();
    r.err = err.Read();
    return r;
}

// The lines of a text that ends in a line feed (a missing final one is a failure).
std::vector<std::string> Lines(const std::string& s) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t nl; (nl = s.find('\n', from)) != std::string::npos; from = nl + 1)
        lines.push_back(s.substr(from, nl - from));
    EXPECT_EQ(from, s.size()) << "output does not end with a line feed";
    return lines;
}

TEST(CliJsonChecker, AcceptsOnlyStrictJson) {
    const std::pair<std::string, bool> cases[] = {
        {R"({"a": [1, -2.5e3], "b": "x\"\\\n\u00e9\ud83d\ude00", "c": null})", true},
        {"{\"a\": \"\xE6\x97\xA5\"}", true},
        {"{\"a\": \"\x01\"}", false},  // raw control character
        {"{\"a\": \"\t\"}", false},
        {"{\"a\": \"\xFF\"}", false},          // invalid UTF-8
        {"{\"a\": \"\xC0\xAF\"}", false},      // overlong
        {"{\"a\": \"\xED\xA0\x80\"}", false},  // encoded surrogate
        {R"({"a": "\ud800"})", false},         // unpaired surrogate escape
        {R"({"a": "\x"})", false},
        {R"({"a": 01})", false},
        {R"({"a": 1,})", false},
        {R"({"a": 1} x)", false},
        {R"({"a" 1})", false},
    };
    for (const auto& [text, valid] : cases) {
        TJson v;
        EXPECT_EQ(TJsonReader().Read(text, v), valid) << text;
    }
}

TEST(CliProcess, JsonGivesOneValidObjectPerInputLine) {
    const std::vector<std::string> lines = {
        "1+1",
        "say \"hi\"",
        "back\\slash",
        "\t1\t+\t2",
        "\x01\x1f",
        "\xff\xfe 1",                // invalid UTF-8
        "\xe6\x97\xa5\xe6\x9c\xac",  // Japanese text
        "1+",
        "",
        "1\r",  // a carriage return stays in the line
        "!version",
        "a:=5m",
        "a*2",
        "-2^(1/2)",  // an engine exception: message, no range
    };
    std::string input;
    for (const std::string& l : lines) input += l + "\n";
    input += "7";  // a last line without line feed still counts
    const TRun r = RunCli({"--json"}, {.input = input});
    const std::vector<std::string> out = Lines(r.out);
    ASSERT_EQ(out.size(), lines.size() + 1) << r.out;

    std::vector<TJson> objects;
    for (const std::string& line : out) {
        TJsonReader reader;
        TJson v;
        ASSERT_TRUE(reader.Read(line, v))
            << "invalid JSON at byte " << reader.error() << ": " << line;
        ASSERT_EQ(v.kind, TJson::kObject) << line;
        ASSERT_EQ(v.names,
                  (std::vector<std::string>{"input", "result", "error", "main", "subst", "output"}))
            << line;
        for (const char* key : {"input", "result", "error", "output"})
            EXPECT_EQ(v[key].kind, TJson::kString) << line;
        for (const char* key : {"main", "subst"}) {
            EXPECT_EQ(v[key].kind, TJson::kArray) << line;
            EXPECT_EQ(v[key].items.size(), 2u) << line;
        }
        objects.push_back(std::move(v));
    }
    EXPECT_EQ(objects[0]["result"].text, "2");
    EXPECT_EQ(objects[1]["input"].text, "say \"hi\"");
    EXPECT_EQ(objects[2]["input"].text, "back\\slash");
    EXPECT_EQ(objects[3]["input"].text, "\t1\t+\t2");
    EXPECT_EQ(objects[3]["result"].text, "3");
    EXPECT_EQ(objects[4]["input"].text, "\x01\x1f");
    EXPECT_EQ(objects[5]["input"].text, "\xEF\xBF\xBD\xEF\xBF\xBD 1");
    EXPECT_EQ(objects[6]["input"].text, "\xe6\x97\xa5\xe6\x9c\xac");
    EXPECT_EQ(objects[7]["error"].text, "構文不正");
    EXPECT_EQ(objects[7]["main"].items[0].text, "2");
    EXPECT_EQ(objects[7]["main"].items[1].text, "1");
    EXPECT_EQ(objects[8]["error"].text, "構文不正");
    EXPECT_EQ(objects[9]["input"].text, "1\r");
    EXPECT_EQ(objects[9]["error"].text, "構文不正");
    EXPECT_EQ(objects[10]["result"].text, "");
    EXPECT_NE(objects[10]["output"].text.find(" Version "), std::string::npos);
    EXPECT_NE(objects[10]["output"].text.find("\r\n"),
              std::string::npos);                     // the pane's line breaks
    EXPECT_EQ(objects[12]["result"].text, "10 [m]");  // one session
    EXPECT_NE(objects[13]["error"].text.find("駄目だこりゃ!"), std::string::npos);
    for (const char* key : {"main", "subst"}) {
        EXPECT_EQ(objects[13][key].items[0].text, "-1");
        EXPECT_EQ(objects[13][key].items[1].text, "0");
    }
    EXPECT_EQ(objects[14]["result"].text, "7");
    EXPECT_EQ(r.status, 1);  // some lines reported errors
    EXPECT_EQ(r.err, "");
}

TEST(CliProcess, PlainOutputAndExitStatus) {
    struct Case {
        std::vector<std::string> args;
        std::string input;
        std::string out;
        int status;
    };
    const Case cases[] = {
        {{"1+1"}, "", "2\n", 0},
        {{"1+"}, "", "構文不正\n1+\n  ^\n", 1},
        {{"1+1", "1+", "2"}, "", "2\n構文不正\n1+\n  ^\n2\n", 1},
        {{"a:=5m", "a*2"}, "", "5 [m]\n10 [m]\n", 0},
        {{"--", "-2^2"}, "", "4\n", 0},
        {{"--template", "@*2"}, "3\n", "6\n", 0},
        {{"--template", "@+1"}, "abc\n", "未定義変数: abc\nabc\n^~~\n", 1},
        // Invalid UTF-8 in the template: each broken character is one U+FFFD, one column.
        {{"--template", "\xff@\xfe"}, "3\n", "構文不正\n\xEF\xBF\xBD@\xEF\xBF\xBD\n^\n", 1},
        {{"--template", "(@)\xff"}, "3\n", "構文不正\n(@)\xEF\xBF\xBD\n   ^\n", 1},
        {{}, "1/3\n\n", "0.3`\n構文不正\n\n^\n", 1},
        {{"--digits", "5", "1/4"}, "", "0.25\n", 0},  // ends by itself before the limit
        {{"--digits", "3", "1/7"}, "", "0.142...\n", 0},
        {{"--digits", "50", "2^(1/2)"},
         "",
         "1.41421356237309504880168872420969807856967187537694...\n",
         0},
        // An engine exception is the line's error; the session goes on.
        {{"-2^(1/2)", "1+1"}, "", "駄目だこりゃ! 虚数はまだ対応してないのよ～ん!\n2\n", 1},
        {{"--bogus"}, "", "", 2},
        {{"--digits", "x", "1"}, "", "", 2},
    };
    for (const Case& c : cases) {
        const TRun r = RunCli(c.args, {.input = c.input});
        const std::string label = ::testing::PrintToString(c.args);
        EXPECT_EQ(r.out, c.out) << label;
        EXPECT_EQ(r.status, c.status) << label;
        if (c.status == 2) {
            EXPECT_NE(r.err.find("Usage: tavelko-cli"), std::string::npos) << label;
        }
    }
}

TEST(CliProcess, TimeoutCancelsWithTheDigitsSoFar) {
    const TRun r = RunCli({"--timeout", "0.3", "2^(1/2)", "1+1"});
    const std::vector<std::string> out = Lines(r.out);
    ASSERT_EQ(out.size(), 2u) << r.out;
    EXPECT_TRUE(out[0].starts_with("1.41421356237")) << out[0].substr(0, 40);
    EXPECT_TRUE(out[0].ends_with("..."))
        << out[0].substr(out[0].size() > 40 ? out[0].size() - 40 : 0);
    EXPECT_EQ(out[1], "2");  // the next line has its own time
    EXPECT_EQ(r.status, 0);  // a cancelled line is no error
    EXPECT_LT(r.seconds, 3.0);
}

// Each kind of work that outgrows the address space gives the message, and the next line
// answers: building a number, its decimal text, a root without end, a radix text, a
// product inside GMP, a long product line, a unit power, and a line too long to read
// (150 MiB) or to convert (400 MiB). A case that stopped running out of memory hits the
// time limit instead; the limit is generous, since the GMP product alone takes 1 s on an
// idle machine and 20 s on a busy one.
TEST(CliProcess, RunningOutOfMemorySaysSoAndGoesOn) {
    constexpr rlim_t kMiB = rlim_t{1} << 20;
    const std::string longLine(size_t{100} << 20, '1');
    std::string productLine = "2^999999";  // 2^999999*3^999999*…*39^999999
    for (int i = 3; i < 40; ++i) productLine += "*" + std::to_string(i) + "^999999";
    const std::pair<std::string, rlim_t> cases[] = {
        {"10^2000000000", 800 * kMiB},
        {"2^2147483647", 800 * kMiB},
        {"2^(1/2)", 64 * kMiB},
        {"(2^10000000)[2]", 64 * kMiB},
        {"(2^1000000000+1)*(2^1000000000+1)", 800 * kMiB},
        {productLine, 64 * kMiB},
        {"1[km]^2147483647", 800 * kMiB},
        {longLine, 150 * kMiB},
        {longLine, 400 * kMiB},
    };
    for (const auto& [line, limit] : cases) {
        const std::string label =
            line.substr(0, 40) + " at " + std::to_string(limit / kMiB) + " MiB";
        const bool viaInput = line.size() > 1000;  // arguments are limited in length
        const TRun r =
            viaInput
                ? RunCli({"--timeout", "300"}, {.input = line + "\n1+1\n", .addressSpace = limit})
                : RunCli({"--timeout", "300", line, "1+1"}, {.addressSpace = limit});
        EXPECT_EQ(Lines(r.out), (std::vector<std::string>{"メモリ不足", "2"}))
            << label << ": " << r.out.substr(0, 200) << r.err;
        EXPECT_EQ(r.status, 1) << label;
        std::printf("%s: %.2f s\n", label.c_str(), r.seconds);
    }
}

// A failed write to standard output is reported, ends the evaluation of further lines and
// gives its own exit status; the 64 KiB output buffer overflows on the first line here.
TEST(CliProcess, WriteErrorIsReported) {
    const std::vector<std::string> cases[] = {
        {"1+1"},       {"--timeout", "20", "2^1000000", "2^(1/2)"}, {"--json", "1+"}, {"--help"},
        {"--version"},
    };
    for (const std::vector<std::string>& args : cases) {
        const TRun r = RunCli(args, {.outPath = "/dev/full"});
        const std::string label = ::testing::PrintToString(args);
        EXPECT_EQ(r.status, 3) << label;
        EXPECT_EQ(r.err, "tavelko-cli: cannot write standard output: No space left on device\n")
            << label;
        EXPECT_LT(r.seconds, 10.0) << label;  // the root was not started
    }
}

// A reader that went away ends the program by SIGPIPE with nothing on standard error, as
// it ends cat, whatever SIGPIPE was set to by the parent.
TEST(CliProcess, ClosedPipeEndsQuietlyBySigpipe) {
    for (const EPipeSignal how :
         {EPipeSignal::kDefault, EPipeSignal::kIgnored, EPipeSignal::kBlocked}) {
        const TRun r = RunCli({"2^1000000", "1+1"}, {.closedPipe = true, .sigpipe = how});
        EXPECT_EQ(r.signal, SIGPIPE) << static_cast<int>(how) << " status " << r.status;
        EXPECT_EQ(r.err, "") << static_cast<int>(how);
    }
}

TEST(CliProcess, HelpAndVersion) {
    const TRun help = RunCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: tavelko-cli")) << help.out;
    EXPECT_NE(help.out.find("3 when standard output could not be"), std::string::npos) << help.out;
    const TRun version = RunCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("Tavelko/")) << version.out;
    EXPECT_NE(version.out.find(" Version "), std::string::npos) << version.out;
    EXPECT_EQ(Lines(version.out).size(), 1u) << version.out;
}

TEST(CliProcess, LanguageFollowsTheLocale) {
    struct Case {
        const char* lang;
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {"en_US.UTF-8", {"1+"}, "syntax error\n1+\n  ^\n"},
        {"", {"1+"}, "構文不正\n1+\n  ^\n"},
        {"C", {"1+"}, "構文不正\n1+\n  ^\n"},
        {"ja_JP.UTF-8", {"x"}, "未定義変数: x\nx\n^\n"},
        {"en_US.UTF-8",
         {"!res_frac", "3/2", "6畳[m^2]"},
         "Results shown as improper fractions.\n3/2\n" + RunCli({"6畳[m^2]"}, {.lang = ""}).out},
        {"en_US.UTF-8",
         {"--json", "x"},
         "{\"input\": \"x\", \"result\": \"\", \"error\": \"undefined variable: x\", \"main\": [0, "
         "1], "
         "\"subst\": [-1, 0], \"output\": \"\"}\n"},
    };
    for (const Case& c : cases) {
        const TRun r = RunCli(c.args, {.lang = c.lang});
        EXPECT_EQ(r.out, c.out) << "LANG=" << c.lang << " " << c.args.back();
    }
}

}  // namespace
