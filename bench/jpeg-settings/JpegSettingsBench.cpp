// jpeg-settings: encodes every WebP file of each folder given, decoded once beforehand, with the
// converter's JPEG writer at qualities 10, 50, 85 and 100, with libjpeg's standard Huffman tables
// and with tables optimised for each picture (whatever the converter's rule would choose), and
// prints a table of the bytes written and the seconds taken (best of the rounds, the two kinds of
// table interleaved in every round), and what the optimising adds to a whole conversion: to the
// reading and decoding (timed once, as the files are decoded) and the encoding with standard
// tables.
//
//   jpeg-settings [--rounds N] [--qualities Q,Q,...] [--full-chroma] FOLDER...
//
// The chroma is the one the converter chooses for each picture at each quality; --full-chroma
// takes 4:4:4 for every picture instead. The seconds are the JPEG writer's alone, to memory.

#include "tools/codec/JpegWriter.h"
#include "tools/codec/WebpDecoding.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

using namespace orvalin::tools;

namespace {

struct Picture
{
    std::string name;
    Scanlines image;
};

std::vector<std::string> webpFilesIn(const std::string& folder)
{
    std::vector<std::string> files;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.size() > 5 && name.compare(name.size() - 5, 5, ".webp") == 0)
                files.push_back(folder + "/" + name);
        }
        closedir(dir);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Every file of the folder that decodes, and the seconds the reading and decoding took.
std::vector<Picture> decodeAll(const std::string& folder, double& seconds)
{
    const auto start = std::chrono::steady_clock::now();
    std::vector<Picture> pictures;
    for (const std::string& path : webpFilesIn(folder)) {
        std::vector<std::uint8_t> webp;
        std::string error;
        Picture picture{path, {}};
        WebpMetadata metadata;
        if (readWholeFile(path, webp, error)
            && decodeWebp(webp.data(), webp.size(), picture.image, metadata, error))
            pictures.push_back(std::move(picture));
    }
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return pictures;
}

// The bytes of one JPEG written to memory.
std::size_t encodedSize(const Scanlines& image, const JpegSettings& settings)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    JpegWriter jpeg;
    const bool written =
        jpeg.start(memory, image.width, image.height, int(image.channels()), settings)
        && jpeg.writeRows(image.row(0), image.stride, image.height) && jpeg.finish();
    std::fclose(memory);
    std::free(buffer);
    if (!written) {
        std::fprintf(stderr, "jpeg-settings: %s\n", jpeg.error());
        std::exit(1);
    }
    return size;
}

struct Measure
{
    std::size_t bytes = 0;
    double seconds = 1e30;
};

Measure encodeAll(const std::vector<Picture>& pictures, int quality, bool optimised,
                  bool fullChroma)
{
    Measure measure;
    const auto start = std::chrono::steady_clock::now();
    for (const Picture& picture : pictures) {
        JpegSettings settings =
            JpegSettingsFor(quality, picture.image.lossless || picture.image.hasAlpha);
        settings.optimisedHuffman = optimised;
        settings.fullChroma = settings.fullChroma || fullChroma;
        measure.bytes += encodedSize(picture.image, settings);
    }
    measure.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return measure;
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 3;
    bool fullChroma = false;
    std::vector<int> qualities{10, 50, 85, 100};
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--qualities") == 0 && i + 1 < argc) {
            qualities.clear();
            for (const char* at = argv[++i]; *at; ++at) {
                qualities.push_back(std::clamp(std::atoi(at), 1, 100));
                at = std::strchr(at, ',');
                if (!at)
                    break;
            }
        } else if (std::strcmp(argv[i], "--full-chroma") == 0)
            fullChroma = true;
        else
            folders.push_back(argv[i]);
    }
    if (folders.empty()) {
        std::fputs("usage: jpeg-settings [--rounds N] [--qualities Q,Q,...] [--full-chroma] "
                   "FOLDER...\n",
                   stderr);
        return 2;
    }
    std::printf("| folder | quality | standard bytes | optimised bytes | size ratio | "
                "standard s | optimised s | time ratio | added to a conversion |\n"
                "|---|---|---|---|---|---|---|---|---|\n");
    for (const std::string& folder : folders) {
        double decoding = 0;
        const std::vector<Picture> pictures = decodeAll(folder, decoding);
        if (pictures.empty()) {
            std::fprintf(stderr, "jpeg-settings: no WebP file decodes in %s\n", folder.c_str());
            return 1;
        }
        for (const int quality : qualities) {
            Measure standard, optimised;
            for (int round = 0; round < rounds; ++round) {
                // Interleaved, so both kinds see the same load on the machine.
                const Measure a = encodeAll(pictures, quality, round % 2 == 1, fullChroma);
                const Measure b = encodeAll(pictures, quality, round % 2 == 0, fullChroma);
                const Measure& s = round % 2 == 1 ? b : a;
                const Measure& o = round % 2 == 1 ? a : b;
                standard = {s.bytes, std::min(standard.seconds, s.seconds)};
                optimised = {o.bytes, std::min(optimised.seconds, o.seconds)};
            }
            // The time optimising adds, as a share of decoding and encoding with standard tables.
            const double added =
                (optimised.seconds - standard.seconds) / (decoding + standard.seconds);
            std::printf("| %s (%zu) | %d | %zu | %zu | %.3f | %.3f | %.3f | %.3f | %+.0f%% |\n",
                        folder.c_str(), pictures.size(), quality, standard.bytes, optimised.bytes,
                        double(optimised.bytes) / double(standard.bytes), standard.seconds,
                        optimised.seconds, optimised.seconds / standard.seconds, added * 100);
            std::fflush(stdout);
        }
    }
    return 0;
}
