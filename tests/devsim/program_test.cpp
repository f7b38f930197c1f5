// The devsim program driven as a club's demo mode would: started as a child process,
// ports opened on the paths it reports, faults set through its line protocol.
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "portlink.h"

namespace {

class Program {
public:
    explicit Program(const std::string& args) {
        int in[2], out[2];
        EXPECT_EQ(::pipe(in), 0);
        EXPECT_EQ(::pipe(out), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            ::execl("/bin/sh", "sh", "-c", (std::string(DEVSIM_PROGRAM) + " " + args).c_str(), nullptr);
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        to_ = in[1];
        from_ = out[0];
    }
    ~Program() {
        if (to_ >= 0) ::close(to_);
        int status = 0;
        pollfd p{from_, POLLIN, 0};
        // End of input ends the program; do not wait for ever if it hangs.
        if (::poll(&p, 1, 3000) <= 0) ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
        ::close(from_);
    }
    // One reply line, or "" when none comes within 3 s.
    std::string line() {
        std::string s;
        char c;
        for (;;) {
            pollfd p{from_, POLLIN, 0};
            if (::poll(&p, 1, 3000) <= 0 || ::read(from_, &c, 1) != 1) return s;
            if (c == '\n') return s;
            s += c;
        }
    }
    std::string ask(const std::string& command) {
        const std::string l = command + "\n";
        EXPECT_EQ(::write(to_, l.data(), l.size()), ssize_t(l.size()));
        return line();
    }
    void close_input() {
        ::close(to_);
        to_ = -1;
    }

private:
    pid_t pid_ = -1;
    int to_ = -1, from_ = -1;
};

TEST(DevsimProgram, ReportsPathsAndTakesFaultsOverItsLineProtocol) {
    const std::string link = ::testing::TempDir() + "devsim-prog-" + std::to_string(::getpid());
    Program prog("echo echo=" + link);
    const std::string first = prog.line(), second = prog.line();
    ASSERT_EQ(first.rfind("READY 1 echo /dev/pts/", 0), 0u) << first;
    ASSERT_EQ(second, "READY 2 echo " + link);

    const uint32_t h1 = IFD_OpenPort(first.substr(first.rfind(' ') + 1).c_str(), "timeout=250");
    const uint32_t h2 = IFD_OpenPort(link.c_str(), "timeout=250");
    ASSERT_NE(h1, 0u);
    ASSERT_NE(h2, 0u);
    EXPECT_EQ(prog.ask("@1 devno 0A0B0C0D"), "OK 0A0B0C0D");
    char devno[9];
    ASSERT_EQ(IFD_GetDevNo(h1, devno), -1);
    EXPECT_STREQ(devno, "0A0B0C0D");
    ASSERT_EQ(IFD_GetDevNo(h2, devno), -1);
    EXPECT_STREQ(devno, "12345678");

    EXPECT_EQ(prog.ask("fault badcrc"), "OK");  // the current device: number 2
    EXPECT_EQ(IFD_GetDevNo(h2, devno), 0);
    EXPECT_EQ(IFD_GetErrCode(h2), 266);
    EXPECT_EQ(prog.ask("@1 fault status 0x21"), "OK");
    EXPECT_EQ(IFD_GetDevNo(h1, devno), 0);
    EXPECT_EQ(IFD_GetErrCode(h1), 0x21);
    EXPECT_EQ(prog.ask("stats"), "OK requests=2 answers=2");
    EXPECT_EQ(prog.ask("fault nonsense").rfind("ERR ", 0), 0u);
    EXPECT_EQ(prog.ask("kinds").rfind("OK echo", 0), 0u);
    IFD_ClosePort(h1);
    IFD_ClosePort(h2);
    EXPECT_EQ(prog.ask("quit"), "OK bye");
    prog.close_input();
    EXPECT_EQ(prog.line(), "");  // and nothing more
}

}  // namespace
