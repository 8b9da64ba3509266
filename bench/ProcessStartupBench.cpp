// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the tarnel process against a minimal Qt Widgets program, in one
// run: each iteration starts tarnel, which with TARNEL_QUIT_AFTER_START quits
// once its window is shown and painted, and the minimal program, which does
// the same with a bare main window, one after the other (in turn which one
// goes first), and waits for both to end. The counter `tarnel_over_minimal`
// is the median of the iterations' ratios, which a moment of load on a shared
// machine moves less than a ratio of totals; `tarnel_ms` and `minimal_ms` are
// the median times. Both run on Qt's offscreen platform, without a session
// bus and with settings in a temporary folder.
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

// Seconds from starting `program` to its end; negative when it did not end
// with status 0. Its output goes nowhere.
double RunToEnd(const char* program) {
    char* const argv[] = {const_cast<char*>(program), nullptr};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const auto started = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program, &quiet, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
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
    for (auto _ : state) {
        // Whichever starts second finds the caches the first one left.
        const bool oursFirst = tarnel.size() % 2 == 0;
        double ours = oursFirst ? RunToEnd(TARNEL_GUI_PATH) : 0;
        const double plain = RunToEnd(TARNEL_MINIMAL_PATH);
        if (!oursFirst) {
            ours = RunToEnd(TARNEL_GUI_PATH);
        }
        if (ours < 0 || plain < 0) {
            state.SkipWithError("a program did not start and quit cleanly");
            return;
        }
        state.SetIterationTime(ours + plain);
        tarnel.push_back(ours);
        minimal.push_back(plain);
        ratios.push_back(ours / plain);
    }
    state.counters["tarnel_ms"] = Median(std::move(tarnel)) * 1000;
    state.counters["minimal_ms"] = Median(std::move(minimal)) * 1000;
    state.counters["tarnel_over_minimal"] = Median(std::move(ratios));
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
