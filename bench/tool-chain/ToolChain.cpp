// tool-chain: what running the two converter tools once per file costs next to converting the
// same files inside one process.
//
//   tool-chain --corpus DIR [--quality Q] [--rounds N]
//
// Each round times, one after the other on the same files:
//   - the reference: in-process-convert, decoding and encoding every file in one process;
//   - the same in one process but through a PNG file between decoder and encoder (the tools'
//     own code), which shows what the PNG costs;
//   - the chain: webp-decode IN -o X.png, then jpeg-encode -q Q -out jpeg X.png, per file,
//     and the PNG removed, as the program does.
// The best round of each is reported, with ratios to the reference taken from the same run,
// since the machine is shared and absolute times wander. Peak memory comes from the children's
// resource usage.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <webp/decode.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct Run
{
    double seconds = 0;
    long peakKb = 0; // largest resident set of any child
    bool ok = true;
};

double now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Runs a program to its end; adds its time and peak memory to run.
void runChild(const std::vector<std::string>& arguments, Run& run)
{
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const double start = now();
    pid_t pid;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
        run.ok = false;
        return;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.seconds += now() - start;
    run.peakKb = std::max(run.peakKb, usage.ru_maxrss);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "tool-chain: failed: %s %s\n", arguments[0].c_str(),
                     arguments.size() > 1 ? arguments[1].c_str() : "");
        run.ok = false;
    }
}

Run runInProcess(const std::string& program, bool viaPng, int quality, const std::string& work,
                 const std::vector<std::string>& files)
{
    std::vector<std::string> arguments = {program};
    if (viaPng)
        arguments.push_back("--via-png");
    arguments.push_back(std::to_string(quality));
    arguments.push_back(work);
    arguments.insert(arguments.end(), files.begin(), files.end());
    Run run;
    runChild(arguments, run);
    return run;
}

struct ChainRun
{
    Run total, decoder, encoder;
};

ChainRun runChain(const std::string& tools, int quality, const std::string& work,
                  const std::vector<std::string>& files)
{
    ChainRun chain;
    const double start = now();
    for (const auto& file : files) {
        const std::string png = work + "/" + fs::path(file).stem().string() + ".png";
        runChild({tools + "/webp-decode", file, "-o", png}, chain.decoder);
        runChild({tools + "/jpeg-encode", "-q", std::to_string(quality), "-out", "jpeg",
                  "-overwrite", png},
                 chain.encoder);
        unlink(png.c_str());
    }
    chain.total.seconds = now() - start;
    chain.total.ok = chain.decoder.ok && chain.encoder.ok;
    return chain;
}

double megapixels(const std::vector<std::string>& files)
{
    double total = 0;
    for (const auto& file : files) {
        std::FILE* in = std::fopen(file.c_str(), "rb");
        unsigned char head[64 * 1024];
        const std::size_t size = in ? std::fread(head, 1, sizeof head, in) : 0;
        if (in)
            std::fclose(in);
        int width = 0, height = 0;
        if (WebPGetInfo(head, size, &width, &height))
            total += double(width) * height / 1e6;
    }
    return total;
}

std::string option(int argc, char** argv, const char* name, const char* fallback)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    return fallback;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string corpus = option(argc, argv, "--corpus", "");
    const int quality = std::atoi(option(argc, argv, "--quality", "85").c_str());
    const int rounds = std::max(1, std::atoi(option(argc, argv, "--rounds", "3").c_str()));
    const std::string tools = option(argc, argv, "--tools", ORVALIN_TOOLS_DIR);
    const std::string reference = option(argc, argv, "--reference", ORVALIN_REFERENCE);
    if (corpus.empty() || !fs::is_directory(corpus) || quality < 1 || quality > 100) {
        std::fputs("Usage: tool-chain --corpus DIR [--quality Q] [--rounds N] [--tools DIR]\n",
                   stderr);
        return 2;
    }
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(corpus))
        if (entry.path().extension() == ".webp")
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "tool-chain: no .webp files in %s\n", corpus.c_str());
        return 2;
    }

    char pattern[] = "/tmp/orvalin-tool-chain-XXXXXX";
    const std::string work = mkdtemp(pattern);
    Run best[3];
    ChainRun bestChain;
    for (int round = 0; round < rounds; ++round) {
        const Run direct = runInProcess(reference, false, quality, work, files);
        const Run viaPng = runInProcess(reference, true, quality, work, files);
        const ChainRun chain = runChain(tools, quality, work, files);
        if (!direct.ok || !viaPng.ok || !chain.total.ok) {
            fs::remove_all(work);
            return 1;
        }
        if (round == 0 || direct.seconds < best[0].seconds)
            best[0] = direct;
        if (round == 0 || viaPng.seconds < best[1].seconds)
            best[1] = viaPng;
        if (round == 0 || chain.total.seconds < bestChain.total.seconds)
            bestChain = chain;
    }
    fs::remove_all(work);

    const double mp = megapixels(files);
    const double base = best[0].seconds;
    std::printf("%zu files, %.1f MP, quality %d, best of %d rounds\n\n", files.size(), mp, quality,
                rounds);
    std::printf("%-44s %8s %8s %8s\n", "", "seconds", "MP/s", "ratio");
    auto line = [&](const char* what, double seconds) {
        std::printf("%-44s %8.3f %8.1f %8.2f\n", what, seconds, mp / seconds, seconds / base);
    };
    line("in one process (reference)", base);
    line("in one process, through a PNG file", best[1].seconds);
    line("two programs per file, PNG between", bestChain.total.seconds);
    std::printf("  of which webp-decode %.3f s, jpeg-encode %.3f s\n\n", bestChain.decoder.seconds,
                bestChain.encoder.seconds);
    std::printf("PNG write and read:      %+.1f%% of the reference\n",
                100 * (best[1].seconds - base) / base);
    std::printf("processes and the rest:  %+.1f%% of the reference\n",
                100 * (bestChain.total.seconds - best[1].seconds) / base);
    std::printf("chain / reference:       %.2f (goal: at most 1.25)\n\n",
                bestChain.total.seconds / base);
    std::printf("peak memory: webp-decode %.1f MB, jpeg-encode %.1f MB, reference %.1f MB\n",
                bestChain.decoder.peakKb / 1024.0, bestChain.encoder.peakKb / 1024.0,
                best[0].peakKb / 1024.0);
    return 0;
}
