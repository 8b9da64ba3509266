// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window against a minimal Qt window, in one run: each
// iteration builds, shows and paints tarnel's window (application object,
// menus, grid view, translations, placement), then a bare QMainWindow with one
// child, and destroys both. The counter `window_over_minimal` is the ratio of
// their total times. Runs on Qt's offscreen platform, without a session bus
// and with settings in a temporary folder.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>

#include "CMainFrame.h"
#include "CtarnelApp.h"
#include "QtPrompter.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point started) {
    return std::chrono::duration<double>(Clock::now() - started).count();
}

// Seconds from nothing to tarnel's window shown and painted; negative when
// it did not start.
double StartWindow() {
    QtPrompter prompter;
    const auto started = Clock::now();
    CtarnelApp app(prompter);
    if (!app.InitInstance({}) || !QTest::qWaitForWindowExposed(app.m_pMainWnd)) {
        return -1;
    }
    app.m_pMainWnd->repaint();
    return Seconds(started);
}

// Seconds from nothing to a plain main window of the same size shown and painted.
double StartMinimal() {
    const auto started = Clock::now();
    QMainWindow window;
    window.setCentralWidget(new QLabel(QStringLiteral("00")));
    window.setGeometry(250, 200, 530, 390);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return -1;
    }
    window.repaint();
    return Seconds(started);
}

void BM_WindowAgainstMinimal(benchmark::State& state) {
    double window = 0;
    double minimal = 0;
    for (auto _ : state) {
        const double ours = StartWindow();
        const double plain = StartMinimal();
        if (ours < 0 || plain < 0) {
            state.SkipWithError("a window was not shown");
            return;
        }
        state.SetIterationTime(ours + plain);
        window += ours;
        minimal += plain;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["window_ms"] = window / iterations * 1000;
    state.counters["minimal_ms"] = minimal / iterations * 1000;
    state.counters["window_over_minimal"] = window / minimal;
}
BENCHMARK(BM_WindowAgainstMinimal)->UseManualTime()->Iterations(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tarnel-bench-has-no-bus");
    for (const char* name : {"TARNEL_PORT", "TARNEL_LOG", "TARNEL_SIM_FAULT"}) {
        qunsetenv(name);
    }
    QApplication application(argc, argv);
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    // Fonts and plugins load once, before anything is timed.
    StartWindow();
    StartMinimal();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
