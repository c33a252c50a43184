// Template files and the directory scanner against the raw work underneath them, in one run:
// loading and saving a 100,000-line template against reading and writing its bytes (and the
// load against building the same tree in memory), and
// scanning a 20,020-directory tree against a bare readdir walk of it. The run ends with the
// ratios (ours / raw).

#include "core/directory_scanner.h"
#include "core/template_file.h"
#include "core/text.h"
#include "posix_file_system.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <unistd.h>

namespace {

// A scratch folder below /tmp with the template and the directory tree, made once.
struct Scratch {
    Scratch() {
        char name[] = "/tmp/arbordir-bench-XXXXXX";
        root = mkdtemp(name);
        // The bench's file system turns backslashes back into slashes.
        template_path = core::FromUtf8(root) + u"/bench.arbordir";
        for (char16_t& c : template_path)
            if (c == u'/')
                c = u'\\';
        scan_path = template_path.substr(0, template_path.rfind(u'\\')) + u"\\tree";
        MakeTemplate();
        MakeTree();
    }
    ~Scratch() { std::filesystem::remove_all(root); }

    // 100 roots of 10 children of 99 grandchildren: 100,000 lines, names as people type them.
    void MakeTemplate() {
        core::FolderTree tree;
        int serial = 0;
        for (int a = 0; a < 100; ++a) {
            core::FolderNode& root = tree.Add(nullptr, u"Project " + Number(++serial));
            for (int b = 0; b < 10; ++b) {
                core::FolderNode& child = tree.AddChild(&root, u"Caf\u00E9 " + Number(++serial));
                for (int c = 0; c < 99; ++c)
                    tree.AddChild(&child, u"Folder " + Number(++serial));
            }
        }
        bytes = core::WriteTemplate(tree, core::Windows1252());
        core::SaveToFile(tree, template_path, fs, core::Windows1252());
    }

    // 20 x 10 x 99 directories plus their parents: 20,020.
    void MakeTree() {
        const std::string base = bench::NativePath(scan_path);
        for (int a = 0; a < 20; ++a)
            for (int b = 0; b < 10; ++b)
                for (int c = 0; c < 99; ++c)
                    std::filesystem::create_directories(base + "/src" + std::to_string(a) + "/lib" +
                                                        std::to_string(b) + "/item" +
                                                        std::to_string(c));
    }

    static std::u16string Number(int n) { return core::Ascii(std::to_string(n)); }

    bench::PosixFileSystem fs;
    std::string root;
    std::u16string template_path;
    std::u16string scan_path;
    std::string bytes;
};

Scratch& Files() {
    static Scratch scratch;
    return scratch;
}

void LoadTemplate(benchmark::State& state) {
    Scratch& s = Files();
    for (auto _ : state) {
        core::FolderTree tree;
        core::LoadFromFile(tree, s.template_path, s.fs, core::Windows1252());
        benchmark::DoNotOptimize(tree.Count());
    }
}

void RawRead(benchmark::State& state) {
    Scratch& s = Files();
    const std::string path = bench::NativePath(s.template_path);
    for (auto _ : state) {
        std::string bytes(s.bytes.size(), '\0');
        const int file = open(path.c_str(), O_RDONLY);
        benchmark::DoNotOptimize(read(file, bytes.data(), bytes.size()));
        close(file);
    }
}

// The tree model's share of a load: the same 100,000 nodes added straight from the shape
// the template was made from, with no file and no text.
void BuildTree(benchmark::State& state) {
    for (auto _ : state) {
        core::FolderTree tree;
        int serial = 0;
        for (int a = 0; a < 100; ++a) {
            core::FolderNode& root = tree.Add(nullptr, u"Project " + Scratch::Number(++serial));
            for (int b = 0; b < 10; ++b) {
                core::FolderNode& child =
                    tree.AddChild(&root, u"Caf\u00E9 " + Scratch::Number(++serial));
                for (int c = 0; c < 99; ++c)
                    tree.AddChild(&child, u"Folder " + Scratch::Number(++serial));
            }
        }
        benchmark::DoNotOptimize(tree.Count());
    }
}

void SaveTemplate(benchmark::State& state) {
    Scratch& s = Files();
    core::FolderTree tree;
    core::ReadTemplate(tree, s.bytes, core::Windows1252());
    for (auto _ : state)
        core::SaveToFile(tree, s.template_path, s.fs, core::Windows1252());
}

void RawWrite(benchmark::State& state) {
    Scratch& s = Files();
    const std::string path = bench::NativePath(s.template_path);
    for (auto _ : state) {
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        benchmark::DoNotOptimize(write(file, s.bytes.data(), s.bytes.size()));
        close(file);
    }
}

void ScanDirectories(benchmark::State& state) {
    Scratch& s = Files();
    std::size_t nodes = 0;
    for (auto _ : state) {
        core::FolderTree tree;
        nodes = core::GetDirectories(tree, s.scan_path, nullptr, s.fs).nodes;
    }
    state.counters["directories"] = static_cast<double>(nodes);
}

// What any scan has to do: list every directory once and keep the names of the directories.
std::size_t Walk(std::string& path) {
    DIR* dir = opendir(path.c_str());
    if (!dir)
        return 0;
    std::size_t count = 0;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_type != DT_DIR || entry->d_name[0] == '.')
            continue;
        ++count;
        const std::size_t length = path.size();
        path += '/';
        path += entry->d_name;
        count += Walk(path);
        path.resize(length);
    }
    closedir(dir);
    return count;
}

void RawEnumeration(benchmark::State& state) {
    std::string path = bench::NativePath(Files().scan_path);
    std::size_t count = 0;
    for (auto _ : state)
        count = Walk(path);
    state.counters["directories"] = static_cast<double>(count);
}

BENCHMARK(LoadTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BuildTree)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveTemplate)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ScanDirectories)->Unit(benchmark::kMillisecond);
BENCHMARK(RawEnumeration)->Unit(benchmark::kMillisecond);

// Prints the runs as usual and keeps their times for the ratios: the median when the run
// is repeated, else the single run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    struct Times {
        double real = 0;
        double cpu = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times_[name] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        }
    }

    void PrintRatio(const std::string& ours, const std::string& raw) {
        if (!times_.count(ours) || !times_.count(raw))
            return;
        const Times& a = times_[ours];
        const Times& b = times_[raw];
        std::printf("%-16s / %-15s real %6.2f   cpu %6.2f\n", ours.c_str(), raw.c_str(),
                    a.real / b.real, a.cpu / b.cpu);
    }

private:
    std::map<std::string, Times> times_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nratios (ours / raw):\n");
    reporter.PrintRatio("LoadTemplate", "RawRead");
    reporter.PrintRatio("LoadTemplate", "BuildTree");
    reporter.PrintRatio("SaveTemplate", "RawWrite");
    reporter.PrintRatio("ScanDirectories", "RawEnumeration");
    benchmark::Shutdown();
    return 0;
}
