// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the link's own code per port access, and of whole operations against
// the simulated EEPROM.
#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>

#include "EepromLink.h"
#include "I2cBus.h"
#include "SimEeprom.h"
#include "SimPort.h"
#include "SimSwitch.h"

namespace {

// A port whose accesses cost nothing, so only the link's overhead is measured.
class NullPort : public LptPort {
protected:
    void OutData(uint8_t value) override { benchmark::DoNotOptimize(value); }
    void OutControl(uint8_t value) override { benchmark::DoNotOptimize(value); }
    uint8_t InStatus() override { return 0x40; }
};

// One received byte with the master's acknowledge: 22 writes and 8 reads.
void BM_I2cBusPerAccess(benchmark::State& state) {
    NullPort port;
    I2cBus bus(port);
    constexpr int kAccessesPerRound = 22 + 8;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bus.ReceiveByte());
        bus.MasterAck();
    }
    state.SetItemsProcessed(state.iterations() * kAccessesPerRound);
    state.counters["ns_per_access"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kAccessesPerRound),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_I2cBusPerAccess);

void BM_ReadAllAgainstSimulator(benchmark::State& state) {
    SimEeprom eeprom;
    SimPort port(eeprom);
    EepromLink link(port);
    EepromImage image{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(link.ReadAll(image).ok);
    }
}
BENCHMARK(BM_ReadAllAgainstSimulator)->Unit(benchmark::kMicrosecond);

void BM_WriteAllAgainstSimulator(benchmark::State& state) {
    SimEeprom eeprom;
    eeprom.SetWriteCycle(0);
    SimPort port(eeprom);
    EepromLink link(port);
    const EepromImage image = SimEeprom::Pattern();
    for (auto _ : state) {
        benchmark::DoNotOptimize(link.WriteAll(image).ok);
    }
}
BENCHMARK(BM_WriteAllAgainstSimulator)->Unit(benchmark::kMicrosecond);

std::chrono::nanoseconds ThreadCpuTime() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
}

// A Download against the simulator with its real write cycle, as
// "tarnel-cli --port sim write" runs it: how much of the wall time the
// processor is busy (cpu_per_wall, target at most 0.2), and the wall time
// against 128 write cycles (wall_per_cycles, target at most 1.05).
void BM_DownloadWithRealWriteCycles(benchmark::State& state) {
    SimEeprom eeprom;
    eeprom.SetWriteCycle(std::chrono::nanoseconds(SimSwitch::kWriteCycle));
    SimPort port(eeprom);
    EepromLink link(port);
    const EepromImage image = SimEeprom::Pattern();
    std::chrono::nanoseconds cpu{0};
    std::chrono::nanoseconds wall{0};
    for (auto _ : state) {
        const auto cpuStart = ThreadCpuTime();
        const auto wallStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(link.WriteAll(image).ok);
        wall += std::chrono::steady_clock::now() - wallStart;
        cpu += ThreadCpuTime() - cpuStart;
    }
    const auto cycles = static_cast<double>(state.iterations()) * 128 *
                        std::chrono::nanoseconds(SimSwitch::kWriteCycle).count();
    state.counters["cpu_per_wall"] = static_cast<double>(cpu.count()) / wall.count();
    state.counters["wall_per_cycles"] = wall.count() / cycles;
}
BENCHMARK(BM_DownloadWithRealWriteCycles)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A Download with page writes of 8 bytes (tarnel-cli write --page-size 8)
// against one with byte writes, both against the simulator with its real
// write cycle, in the same run: `pages_over_bytes` is the ratio of their wall
// times (target at most 0.15), `cpu_per_wall` how much of the page writes'
// wall time the processor is busy (target under 0.1).
void BM_PageWritesAgainstByteWrites(benchmark::State& state) {
    SimEeprom eeprom;
    eeprom.SetWriteCycle(std::chrono::nanoseconds(SimSwitch::kWriteCycle));
    SimPort port(eeprom);
    EepromLink link(port);
    const EepromImage image = SimEeprom::Pattern();
    std::chrono::nanoseconds bytes{0};
    std::chrono::nanoseconds pages{0};
    std::chrono::nanoseconds pagesCpu{0};
    for (auto _ : state) {
        auto started = std::chrono::steady_clock::now();
        if (!link.WriteAll(image, {}, 1)) {
            state.SkipWithError("the byte writes failed");
            return;
        }
        const auto cpuStart = ThreadCpuTime();
        const auto pagesStart = std::chrono::steady_clock::now();
        bytes += pagesStart - started;
        if (!link.WriteAll(image, {}, 8)) {
            state.SkipWithError("the page writes failed");
            return;
        }
        pages += std::chrono::steady_clock::now() - pagesStart;
        pagesCpu += ThreadCpuTime() - cpuStart;
    }
    state.counters["bytes_ms"] =
        std::chrono::duration<double, std::milli>(bytes).count() / state.iterations();
    state.counters["pages_ms"] =
        std::chrono::duration<double, std::milli>(pages).count() / state.iterations();
    state.counters["pages_over_bytes"] = static_cast<double>(pages.count()) / bytes.count();
    state.counters["cpu_per_wall"] = static_cast<double>(pagesCpu.count()) / pages.count();
}
BENCHMARK(BM_PageWritesAgainstByteWrites)
    ->Iterations(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
