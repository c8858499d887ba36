// The floor of an export as a whole process: read the season's three files and
// write as many bytes as the export writes, both buffered.
//   boxloom_io_floor SEASON_FOLDER OUT_FILE BYTES

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: boxloom_io_floor SEASON_FOLDER OUT_FILE BYTES\n");
        return 2;
    }
    std::vector<char> buffer(1 << 17, 'x');
    for (const char* name : {"zelteam.dat", "zelplyr.dat", "zelgs.dat"}) {
        std::FILE* in = std::fopen((std::string(argv[1]) + "/" + name).c_str(), "rb");
        if (in == nullptr) return 1;
        while (std::fread(buffer.data(), 1, buffer.size(), in) > 0) {
        }
        std::fclose(in);
    }
    std::FILE* out = std::fopen(argv[2], "wb");
    if (out == nullptr) return 1;
    for (unsigned long long left = std::strtoull(argv[3], nullptr, 10); left > 0;) {
        const std::size_t chunk = static_cast<std::size_t>(std::min<unsigned long long>(left, buffer.size()));
        if (std::fwrite(buffer.data(), 1, chunk, out) != chunk) return 1;
        left -= chunk;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
