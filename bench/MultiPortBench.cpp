// SPDX-License-Identifier: GPL-3.0-or-later
// Several stations at once: tarnel-cli writing (and verifying) three
// simulated switches together against one alone. The simulator's write cycle
// (5 ms after each of the 128 byte writes) makes a Download mostly waiting on
// the device, as on real hardware, so with one thread per port three
// switches should take about the time of one.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <sstream>

#include "CliTool.h"

namespace {

using Clock = std::chrono::steady_clock;

// Seconds that `tarnel-cli write IMAGE` takes on `ports` in-memory switches;
// negative when the write failed, with the messages in `messages`.
double WriteSeconds(int ports, const QString& image, std::string& messages) {
    QStringList arguments{"tarnel-cli"};
    for (int i = 0; i < ports; ++i) {
        arguments << "--port"
                  << "sim";
    }
    arguments << "write" << image;
    std::ostringstream out;
    std::ostringstream err;
    CliTool tool(out, err, false);
    const auto started = Clock::now();
    const int status = tool.Run(arguments);
    const std::chrono::duration<double> took = Clock::now() - started;
    messages = err.str();
    return status == CliTool::kSuccess ? took.count() : -1;
}

// Each iteration writes one switch alone, then three together; the counter
// `three_over_one` is the ratio of their total times in this one run.
void BM_ThreePortsAgainstOne(benchmark::State& state) {
    QTemporaryDir dir;
    const QString image = dir.filePath("image.dat");
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(128, '\x5A')) != 128) {
        state.SkipWithError("cannot create the image file");
        return;
    }
    file.close();
    double one = 0;
    double three = 0;
    for (auto _ : state) {
        std::string messages;
        const double alone = WriteSeconds(1, image, messages);
        const double together = alone < 0 ? -1 : WriteSeconds(3, image, messages);
        if (together < 0) {
            state.SkipWithError(("a write failed: " + messages).c_str());
            return;
        }
        state.SetIterationTime(alone + together);
        one += alone;
        three += together;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["one_ms"] = one / iterations * 1000;
    state.counters["three_ms"] = three / iterations * 1000;
    state.counters["three_over_one"] = three / one;
}
BENCHMARK(BM_ThreePortsAgainstOne)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
