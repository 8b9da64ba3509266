// Cost of the link's own code per port access, and of whole operations against
// the simulated EEPROM.
#include <benchmark/benchmark.h>

#include "EepromLink.h"
#include "I2cBus.h"
#include "SimEeprom.h"
#include "SimPort.h"

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

}  // namespace

BENCHMARK_MAIN();
