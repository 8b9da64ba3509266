// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the tarnel process against a minimal Qt Widgets program, in one
// run: each iteration starts tarnel, which with TARNEL_QUIT_AFTER_START says
// "painted" on its standard output once its window is shown and painted and
// then quits, and the minimal program, which does the same with a bare main
// window, one after the other (in turn which one goes first), and waits for
// both to end. The counter `tarnel_over_minimal` is the median of the
// iterations' ratios of the times to the painted window, which a moment of
// load on a shared machine moves less than a ratio of totals;
// `tarnel_over_minimal_to_exit` is the same up to the end of the processes,
// work after the first paint (the D-Bus registration) and the exit included.
// `tarnel_ms` and `minimal_ms` are the median times to the painted window.
// Both run on Qt's offscreen platform, without a session bus and with
// settings in a temporary folder.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double painted = -1;  // seconds to the "painted" line; negative when there was none
    double ended = -1;    // seconds to the end; negative when it did not end with status 0
};

// Starts `program` with its standard output on a pipe and times it to its
// first line and to its end. Its standard error goes nowhere.
Run RunToEnd(const char* program) {
    Run run;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return run;
    }
    char* const argv[] = {const_cast<char*>(program), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto started = std::chrono::steady_clock::now();
    const auto since = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    };
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return run;
    }
    char c = 0;
    ssize_t got = 0;
    while ((got = read(pipeFds[0], &c, 1)) == 1 && c != '\n') {
    }
    const double painted = got == 1 ? since() : -1;
    while (read(pipeFds[0], &c, 1) > 0) {
    }
    close(pipeFds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        run.painted = painted;
        run.ended = since();
    }
    return run;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_ProcessStartAgainstMinimal(benchmark::State& state) {
    std::vector<double> tarnel;
    std::vector<double> minimal;
    std::vector<double> ratios;
    std::vector<double> exitRatios;
    for (auto _ : state) {
        // Whichever starts second finds the caches the first one left.
        const bool oursFirst = tarnel.size() % 2 == 0;
        Run ours = oursFirst ? RunToEnd(TARNEL_GUI_PATH) : Run{};
        const Run plain = RunToEnd(TARNEL_MINIMAL_PATH);
        if (!oursFirst) {
            ours = RunToEnd(TARNEL_GUI_PATH);
        }
        if (ours.painted < 0 || ours.ended < 0 || plain.painted < 0 || plain.ended < 0) {
            state.SkipWithError("a program did not paint its window and quit cleanly");
            return;
        }
        state.SetIterationTime(ours.painted + plain.painted);
        tarnel.push_back(ours.painted);
        minimal.push_back(plain.painted);
        ratios.push_back(ours.painted / plain.painted);
        exitRatios.push_back(ours.ended / plain.ended);
    }
    state.counters["tarnel_ms"] = Median(std::move(tarnel)) * 1000;
    state.counters["minimal_ms"] = Median(std::move(minimal)) * 1000;
    state.counters["tarnel_over_minimal"] = Median(std::move(ratios));
    state.counters["tarnel_over_minimal_to_exit"] = Median(std::move(exitRatios));
}
BENCHMARK(BM_ProcessStartAgainstMinimal)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    char home[] = "/tmp/tarnel-startup-bench-XXXXXX";
    if (mkdtemp(home) == nullptr) {
        return 1;
    }
    setenv("HOME", home, 1);
    setenv("XDG_CONFIG_HOME", home, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnel-bench-has-no-bus", 1);
    setenv("TARNEL_QUIT_AFTER_START", "1", 1);
    for (const char* name : {"TARNEL_PORT", "TARNEL_LOG", "TARNEL_SIM_FAULT"}) {
        unsetenv(name);
    }
    // The programs, their libraries and fonts come from the disk once before
    // anything is timed.
    RunToEnd(TARNEL_GUI_PATH);
    RunToEnd(TARNEL_MINIMAL_PATH);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(home);
    return 0;
}
