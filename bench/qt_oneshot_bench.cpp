// One picture from a fresh process, as a page build or a script makes it: the sample
// line to SVG by molvex2-render (built-in metrics, no Qt loaded), by the whole Qt
// renderer, and the same line's mhchem form by node + KaTeX + mhchem, side by side in
// one run. Wall-clock times; compare medians (--benchmark_repetitions=9).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/SampleLines.h"

extern char** environ;

namespace {

const std::string kOutput = "/tmp/molvex_oneshot_bench." + std::to_string(getpid());

// Runs a program to its end; false when it cannot be started or fails.
bool RunProgram(const std::vector<std::string>& args, std::string* output = nullptr)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeFds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (output) {
        if (pipe(pipeFds) != 0)
            return false;
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    }
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (output) {
        close(pipeFds[1]);
        char buf[4096];
        ssize_t n;
        while ((n = read(pipeFds[0], buf, sizeof buf)) > 0)
            output->append(buf, static_cast<std::size_t>(n));
        close(pipeFds[0]);
    }
    if (rc != 0)
        return false;
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Oneshot(benchmark::State& state, const std::vector<std::string>& args)
{
    for (auto _ : state)
        if (!RunProgram(args)) {
            state.SkipWithError("the program failed");
            break;
        }
}

void BM_RenderSvg(benchmark::State& state)
{
    Oneshot(state, {MOLVEX_RENDER_PATH, testlines::kSample, "-o", kOutput + ".svg"});
}

void BM_RenderSvgWholeQtRenderer(benchmark::State& state)
{
    Oneshot(state, {MOLVEX_RENDER_QT_PATH, testlines::kSample, "-o", kOutput + ".svg"});
}

void BM_NodeKatexMhchem(benchmark::State& state)
{
    static std::string tex;
    if (tex.empty()) {
        RunProgram({MOLVEX_RENDER_PATH, testlines::kSample, "--format", "mhchem", "-o", "-"}, &tex);
        while (!tex.empty() && tex.back() == '\n')
            tex.pop_back();
    }
    if (tex.empty()) {
        state.SkipWithError("no mhchem text");
        return;
    }
    Oneshot(state, {"node", MOLVEX_BENCH_DIR "/katex_oneshot.js", MOLVEX_KATEX_DIR, tex, kOutput + ".html"});
}

} // namespace

BENCHMARK(BM_RenderSvg)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_RenderSvgWholeQtRenderer)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_NodeKatexMhchem)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);

BENCHMARK_MAIN();
