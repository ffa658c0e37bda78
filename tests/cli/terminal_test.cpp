// Runs the built tavelko-cli on a pseudo-terminal, as at the interactive prompt: the input
// history kept across runs, and the progress line of a long evaluation.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

// Generous: the machine may be slow and busy.
constexpr auto kDeadline = std::chrono::seconds(60);

// A temporary folder removed with its contents at the end of the scope.
class TTempDir {
  public:
    TTempDir() {
        std::string pattern = (fs::temp_directory_path() / "tavelko-cli-pty-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TTempDir() { fs::remove_all(path_); }
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// The whole file; empty when there is none.
std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// What tavelko-cli prints for the arguments (given as shell words) outside a terminal.
std::string BatchOutput(const std::string& args) {
    FILE* p = popen((TAVELKO_CLI_PATH " " + args + " < /dev/null").c_str(), "r");
    std::string out;
    char buf[1 << 16];
    for (size_t n; p != nullptr && (n = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    if (p != nullptr) pclose(p);
    return out;
}

// This process's environment with HOME set to home, TERM to xterm and the given
// variables ("NAME=value") replacing those of the same name.
std::vector<std::string> Environment(const fs::path& home, std::vector<std::string> vars) {
    vars.push_back("HOME=" + home.string());
    vars.push_back("TERM=xterm");
    std::vector<std::string> env = vars;
    for (char** p = environ; *p != nullptr; ++p) {
        const std::string entry = *p;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = name == "XDG_STATE_HOME=" || name == "EDITRC=";
        for (const std::string& v : vars) replaced |= v.starts_with(name);
        if (!replaced) env.push_back(entry);
    }
    return env;
}

// tavelko-cli with the given arguments and environment on a pseudo-terminal of 80
// columns: its standard input and error, and its standard output unless that goes to a
// pipe read alongside.
class TTerminal {
  public:
    TTerminal(std::vector<std::string> args, std::vector<std::string> env, bool outToPipe = false) {
        args.insert(args.begin(), TAVELKO_CLI_PATH);
        std::vector<char*> argv, envp;
        for (std::string& a : args) argv.push_back(a.data());
        for (std::string& e : env) envp.push_back(e.data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        int fds[2] = {-1, -1};
        if (outToPipe && pipe(fds) != 0) throw std::runtime_error("pipe failed");
        winsize size{24, 80, 0, 0};
        pid_ = forkpty(&master_, nullptr, nullptr, &size);
        if (pid_ == 0) {
            if (outToPipe) dup2(fds[1], STDOUT_FILENO);
            execve(TAVELKO_CLI_PATH, argv.data(), envp.data());
            _exit(127);
        }
        if (pid_ < 0) throw std::runtime_error("forkpty failed");
        if (outToPipe) close(fds[1]);
        pipe_ = fds[0];
    }
    ~TTerminal() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(master_);
        if (pipe_ >= 0) close(pipe_);
    }
    TTerminal(const TTerminal&) = delete;
    TTerminal& operator=(const TTerminal&) = delete;

    // Sends keys. At a prompt (the default) it waits until the editor has taken the
    // terminal out of line mode: keys typed before are read differently (a Ctrl+D lost).
    void Type(const std::string& keys, bool atPrompt = true) {
        const auto end = std::chrono::steady_clock::now() + kDeadline;
        while (atPrompt && InLineMode() && std::chrono::steady_clock::now() < end) Read(10);
        ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    }
    // Reads until text appears on the terminal after the previous text waited for; false
    // when it did not by the deadline or the program ended first.
    bool WaitFor(const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + kDeadline;
        size_t from = mark_;
        while (std::chrono::steady_clock::now() < end) {
            const size_t found = screen_.find(text, from);
            if (found != std::string::npos) {
                mark_ = found + text.size();
                return true;
            }
            from = std::max(mark_, screen_.size() - std::min(screen_.size(), text.size()));
            if (!Read(1000)) return screen_.find(text, from) != std::string::npos;
        }
        return false;
    }
    // Types each of the lines at a prompt, then Ctrl+D at the next; the exit status, -1
    // when a prompt did not come.
    int Enter(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            if (!WaitForPrompt()) return -1;
            Type(line + "\r");
        }
        if (!WaitForPrompt()) return -1;
        Type("\x04");
        return Finish();
    }
    // Waits for the next prompt on a line of its own. A line recalled from the history is
    // redrawn after "\r> ", which is not a new prompt: keys typed after it would be taken
    // ahead of the line's output and may be lost when the terminal changes its mode.
    bool WaitForPrompt() { return WaitFor(mark_ == 0 ? "> " : "\n> "); }
    // Waits for the end of the program, reading the rest; its exit status, -1 when it
    // did not exit by the deadline (then it is killed).
    int Finish() {
        const auto end = std::chrono::steady_clock::now() + kDeadline;
        while (std::chrono::steady_clock::now() < end && Read(1000)) {
        }
        if (std::chrono::steady_clock::now() >= end) kill(pid_, SIGKILL);
        while (pipe_ >= 0) ReadPipe();
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    const std::string& screen() const { return screen_; }
    const std::string& piped() const { return piped_; }

  private:
    // Whether the terminal is in line mode (canonical input), as the program last set it.
    bool InLineMode() const {
        const int slave = open(ptsname(master_), O_RDWR | O_NOCTTY);
        termios mode{};
        const bool line = slave < 0 || tcgetattr(slave, &mode) != 0 || (mode.c_lflag & ICANON) != 0;
        if (slave >= 0) close(slave);
        return line;
    }
    // Reads what the terminal and the pipe have within the time; false once the
    // terminal has closed (the program ended).
    bool Read(int ms) {
        pollfd p[2] = {{master_, POLLIN, 0}, {pipe_, POLLIN, 0}};
        if (poll(p, pipe_ >= 0 ? 2 : 1, ms) < 0) return errno == EINTR;
        if (pipe_ >= 0 && (p[1].revents & (POLLIN | POLLHUP)) != 0) ReadPipe();
        if ((p[0].revents & (POLLIN | POLLHUP | POLLERR)) == 0) return true;
        char buf[1 << 16];
        const ssize_t n = read(master_, buf, sizeof buf);
        if (n > 0) screen_.append(buf, static_cast<size_t>(n));
        return n > 0;
    }
    // Reads once from the pipe (blocking), closing it at its end.
    void ReadPipe() {
        char buf[1 << 16];
        const ssize_t n = read(pipe_, buf, sizeof buf);
        if (n > 0) {
            piped_.append(buf, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            close(pipe_);
            pipe_ = -1;
        }
    }

    pid_t pid_ = -1;
    int master_ = -1;
    int pipe_ = -1;
    std::string screen_;
    std::string piped_;
    size_t mark_ = 0;
};

// A line entered in one run comes back with Up in the next and is evaluated again;
// "!reset" empties the file as it empties the history.
TEST(CliTerminal, HistoryIsKeptAcrossRuns) {
    struct Case {
        std::string stateHome;  // XDG_STATE_HOME, relative to the temporary folder if not absolute
        std::string file;       // where the history goes, relative to the temporary folder
    };
    const Case cases[] = {
        {"/state", "state/tavelko/cli_history"},
        {"state", ".local/state/tavelko/cli_history"},  // not absolute: ignored
    };
    for (const Case& c : cases) {
        TTempDir dir;
        const std::string stateHome =
            c.stateHome.starts_with('/') ? dir.path().string() + c.stateHome : c.stateHome;
        const auto env = Environment(dir.path(), {"XDG_STATE_HOME=" + stateHome});
        const fs::path file = dir.path() / c.file;
        {
            TTerminal t({}, env);
            EXPECT_EQ(t.Enter({"6*7"}), 0) << t.screen();
        }
        EXPECT_NE(ReadFile(file).find("6*7"), std::string::npos) << c.file;
        EXPECT_EQ(fs::status(file.parent_path()).permissions() & fs::perms::all,
                  fs::perms::owner_all);
        {
            TTerminal t({}, env);
            EXPECT_EQ(t.Enter({"\x1b[A", "!reset"}), 0) << t.screen();  // Up, Enter
            EXPECT_NE(t.screen().find("42"), std::string::npos) << t.screen();
        }
        EXPECT_EQ(ReadFile(file).find("6*7"), std::string::npos) << c.file;
    }
}

// A file that is not a history is said once, gives an empty history and stays as it was.
TEST(CliTerminal, DamagedHistoryIsSaidAndLeftAlone) {
    TTempDir dir;
    const fs::path file = dir.path() / "tavelko/cli_history";
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "garbage\n";
    TTerminal t({}, Environment(dir.path(), {"XDG_STATE_HOME=" + dir.path().string()}));
    EXPECT_EQ(t.Enter({"6*7"}), 0) << t.screen();
    EXPECT_NE(t.screen().find("42"), std::string::npos) << t.screen();
    const std::string said = "history not loaded from " + file.string() + ": not a history file";
    const size_t at = t.screen().find(said);
    EXPECT_NE(at, std::string::npos) << t.screen();
    EXPECT_EQ(t.screen().find(said, at + 1), std::string::npos) << t.screen();
    EXPECT_EQ(ReadFile(file), "garbage\n");
}

// Runs other than the prompt neither read nor write a history, so that the same input
// always gives the same output: arguments, a pipe, and JSON at the terminal.
TEST(CliTerminal, BatchRunsKeepNoHistory) {
    TTempDir dir;
    const std::string stateHome = dir.path().string();
    const auto env = Environment(dir.path(), {"XDG_STATE_HOME=" + stateHome});
    {
        TTerminal t({"1+1"}, env);
        EXPECT_EQ(t.Finish(), 0) << t.screen();
    }
    {
        TTerminal t({"--json"}, env);
        EXPECT_EQ(t.Enter({"1+1"}), 0) << t.screen();
        EXPECT_NE(t.screen().find("\"result\": \"2\""), std::string::npos) << t.screen();
    }
    const std::string piped = "echo 1+1 | XDG_STATE_HOME='" + stateHome + "' HOME='" + stateHome +
                              "' " TAVELKO_CLI_PATH " > /dev/null";
    EXPECT_EQ(std::system(piped.c_str()), 0);
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dir.path()), {}),
              std::vector<fs::path>{});
}

// A long evaluation shows the progress line on the terminal and erases it before the
// answer; with standard output a pipe, neither the pipe nor the terminal gets any of it.
TEST(CliTerminal, ProgressLineOnlyOnTheTerminal) {
    TTempDir dir;
    const auto env = Environment(dir.path(), {"XDG_STATE_HOME=" + dir.path().string()});
    {
        TTerminal t({}, env);
        ASSERT_TRUE(t.WaitFor("> ")) << t.screen();
        t.Type("2^(1/2)\r");
        ASSERT_TRUE(t.WaitFor("計算中")) << t.screen();
        t.Type("\x03", false);
        ASSERT_TRUE(t.WaitFor("> ")) << t.screen().substr(0, 2000);
        const std::string& s = t.screen();
        const size_t erased = s.find("\r\x1b[K", s.rfind("計算中"));
        ASSERT_NE(erased, std::string::npos) << s.substr(0, 2000);
        EXPECT_NE(s.find("1.41421356", erased), std::string::npos) << s.substr(0, 2000);
        t.Type("\x04");
        EXPECT_EQ(t.Finish(), 0);
    }
    {
        TTerminal t({"--timeout", "1"}, env, true);
        EXPECT_EQ(t.Enter({"2^(1/2)"}), 0) << t.screen();
        EXPECT_TRUE(t.piped().starts_with("1.41421356")) << t.piped().substr(0, 200);
        EXPECT_TRUE(t.piped().ends_with("...\n")) << t.piped().size();
        EXPECT_EQ(t.piped().find('\x1b'), std::string::npos);
        EXPECT_EQ(t.piped().find("計算中"), std::string::npos);
        EXPECT_EQ(t.screen().find("計算中"), std::string::npos) << t.screen();
    }
}

// A long result on the terminal shows its two ends around the count left out; "!save"
// writes it whole, as a batch run prints it, and a pipe gets it whole as well.
TEST(CliTerminal, LongResultsAreAbridgedOnlyOnTheTerminal) {
    TTempDir dir;
    const auto env = Environment(dir.path(), {"XDG_STATE_HOME=" + dir.path().string()});
    const std::string whole = BatchOutput("--digits 5000 '2^(1/2)'");
    ASSERT_EQ(whole.size(), 5006u) << whole;  // "1.", 5000 digits, "...", line feed
    const std::string file = (dir.path() / "root 2.txt").string();
    {
        TTerminal t({"--digits", "5000"}, env);
        EXPECT_EQ(t.Enter({"!save x", "2^(1/2)", "!save " + file}), 1) << t.screen();
        const std::string shown = whole.substr(0, 1000) +
                                  "\r\n〔3005 文字省略・!save ファイル名 で全文を保存〕\r\n" +
                                  whole.substr(4005, 1000) + "\r\n";
        for (const std::string& said : {std::string("保存する結果がまだありません"), shown,
                                        "5005 文字を " + file + " に保存しました"})
            EXPECT_NE(t.screen().find(said), std::string::npos) << said << "\n" << t.screen();
        EXPECT_EQ(ReadFile(file), whole);
    }
    TTerminal t({"--digits", "5000"}, env, true);
    EXPECT_EQ(t.Enter({"2^(1/2)"}), 0) << t.screen();
    EXPECT_EQ(t.piped(), whole);
}

}  // namespace
