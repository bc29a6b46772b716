// Google Benchmark cases of the optimisation: the duplicate removal alone on
// 1,000,000 words with 10% repeats, and the optimiser window (offscreen) from
// OTTIMIZZA to the painted expanded result on the same words.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>

#include <deque>
#include <filesystem>
#include <fstream>
#include <vector>

#include "OptimiseBench.h"
#include "dictionary/DictionaryReader.h"
#include "dictionary/WordList.h"
#include "optimise/DuplicateRemoval.h"
#include "optimise/Tool2.h"
#include "ui/Services.h"
#include "ui/Twips.h"

namespace {

using lexor::WordList;

const std::vector<std::string>& Words()
{
    static const auto words = lexor::bench::MakeOptimiseWords(1000000, 10);
    return words;
}

// The desktop for a window with no one at it: the dialog answers with the
// queued files, message boxes are only counted.
class BenchServices : public lexor::ui::Services {
public:
    lexor::ui::Answer Message(QWidget*, const QString&, const QString&, lexor::ui::Buttons) override
    {
        ++messages;
        return lexor::ui::Answer::Ok;
    }
    QString OpenFile(QWidget*, const QString&, const QString&) override
    {
        QString path = files.front();
        files.pop_front();
        return path;
    }
    QString AppFolder() const override { return folder; }

    QString folder;
    std::deque<QString> files;
    int messages = 0;
};

std::filesystem::path Folder()
{
    static const auto folder = [] {
        auto path = std::filesystem::temp_directory_path() / "lexor-optimise-bench";
        std::filesystem::create_directories(path);
        std::ofstream out(path / "doppie.lexor", std::ios::binary);
        out << "Lexor Dictionary Volume\r\n" << Words().size() << "\r\n";
        for (const auto& w : Words())
            out << w << "\r\n";
        return path;
    }();
    return folder;
}

QString Q(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

// The list as the loader leaves it, so the words lie where the reader put
// them and not in list order.
void BM_RemoveDuplicates(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        WordList words;
        lexor::ReadDictionary(Folder() / "doppie.lexor", words);
        WordList duplicates;
        state.ResumeTiming();
        benchmark::DoNotOptimize(lexor::RemoveDuplicates(words, duplicates));
    }
}
BENCHMARK(BM_RemoveDuplicates)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(21);

void BM_Tool2Ottimizza(benchmark::State& state)
{
    BenchServices services;
    services.folder = Q(Folder());
    for (auto _ : state) {
        state.PauseTiming();
        auto* window = new lexor::Tool2(services);
        window->show();
        services.files = {Q(Folder() / "doppie.lexor")};
        window->Command1_Click();
        QApplication::processEvents();
        auto* ottimizza = window->findChild<QPushButton*>(QStringLiteral("Command2"));
        state.ResumeTiming();
        ottimizza->click();
        window->repaint();
        state.PauseTiming();
        if (lexor::ui::OuterHeightTwips(window) != lexor::Tool2::kExpandedHeight || services.messages != 0)
            state.SkipWithError("the optimisation did not expand the window");
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Tool2Ottimizza)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / "lexor-optimise-bench", ignored);
    return 0;
}
