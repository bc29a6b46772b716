#pragma once

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <utility>
#include <vector>

#include "format/DictionaryReader.h"
#include "kit/Conversions.h"
#include "kit/Twips.h"
#include "support/ScriptedServices.h"
#include "words/WordList.h"

namespace lexor::bench {

// Runs the registered Google Benchmark cases offscreen (unless a platform is
// chosen), then removes the scratch folder they wrote their files into.
int RunGuiBenchmarks(int argc, char** argv, const std::filesystem::path& scratch);

// Runs the event loop until it has nothing left to do: every posted event
// (the lists' delayed layout among them), every timer due and every repaint
// they asked for. What the user waits for after a click ends here.
inline void ProcessUntilIdle()
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    do
        QCoreApplication::sendPostedEvents();
    while (dispatcher->processEvents(QEventLoop::AllEvents));
}

// A load of file into a fresh Window shown offscreen, from a click on its
// load button (the scripted dialog returns at once) to the window idle again,
// its list laid out and painted, taken in turn with its yardstick, the core's
// read and sort of the same file, so that a change of load hits both alike.
// The iteration time is the window's; the counters give the medians of both
// and their ratio. Run with UseManualTime().
template <class Window> void TimeWindowLoad(benchmark::State& state, const std::filesystem::path& file)
{
    using Clock = std::chrono::steady_clock;
    test::ScriptedServices services(file.parent_path());
    std::vector<double> core;
    std::vector<double> loads;
    for (auto _ : state) {
        const auto read = Clock::now();
        {
            WordList words;
            ReadDictionary(file, words);
            benchmark::DoNotOptimize(words.ListCount());
        }
        core.push_back(std::chrono::duration<double, std::milli>(Clock::now() - read).count());

        auto* window = new Window(services);
        window->show();
        ProcessUntilIdle();
        services.QueueFile(ui::FromPath(file));
        auto* load = window->template findChild<QPushButton*>(QStringLiteral("Command1"));
        const auto click = Clock::now();
        load->click();
        ProcessUntilIdle();
        const std::chrono::duration<double, std::milli> loaded = Clock::now() - click;
        loads.push_back(loaded.count());
        state.SetIterationTime(loaded.count() / 1000);
        const bool quiet = services.boxes.empty();
        delete window;
        if (!quiet) {
            state.SkipWithError("the load showed a message");
            return;
        }
    }
    const auto median = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    state.counters["core_ms"] = median(core);
    state.counters["window_ms"] = median(loads);
    state.counters["ratio"] = median(loads) / median(core);
}

// A run of a fresh Window shown offscreen: each loader button is clicked with
// its file (the scripted dialog returns at once), then the time is taken
// from a click on button to the window idle again. The run fails unless the
// window has then grown to its expanded height without a message.
template <class Window>
void TimeWindowRun(benchmark::State& state, const std::vector<std::pair<const char*, std::filesystem::path>>& loads,
                   const char* button)
{
    test::ScriptedServices services(loads.front().second.parent_path());
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new Window(services);
        window->show();
        for (const auto& [loader, file] : loads) {
            services.QueueFile(ui::FromPath(file));
            window->template findChild<QPushButton*>(QLatin1String(loader))->click();
        }
        ProcessUntilIdle();
        auto* run = window->template findChild<QPushButton*>(QLatin1String(button));
        state.ResumeTiming();
        run->click();
        ProcessUntilIdle();
        state.PauseTiming();
        const bool expanded =
            window->height() == ui::ClientHeight(Window::kExpandedHeight, Window::kNonClientAllowance) &&
            services.boxes.empty();
        delete window;
        if (!expanded) {
            state.SkipWithError("the run did not expand the window");
            break;
        }
        state.ResumeTiming();
    }
}

} // namespace lexor::bench
